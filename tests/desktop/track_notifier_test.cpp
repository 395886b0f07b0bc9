#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusVirtualObject>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>
#include <gtest/gtest.h>

#include "desktop/track_notifier.h"
#include "test_support.h"

namespace zelvo::test {
namespace {

// A notification server on the session bus that keeps what it was sent.
class NotificationServer : public QDBusVirtualObject {
 public:
  struct Notice {
    uint replaces;
    QString icon, summary, body;
    QVariantMap hints;
  };
  std::vector<Notice> notices;

  QString introspect(const QString&) const override { return {}; }
  bool handleMessage(const QDBusMessage& message, const QDBusConnection& connection) override {
    if (message.member() != "Notify") return false;
    const QVariantList a = message.arguments();
    notices.push_back({a[1].toUInt(), a[2].toString(), a[3].toString(), a[4].toString(),
                       qdbus_cast<QVariantMap>(a[6])});
    return connection.send(message.createReply(QVariant::fromValue(40u + static_cast<uint>(notices.size()))));
  }
};

// Tags and cover read from the file reach the server, the next notice
// replaces the one before, and an untagged file is named by its row.
TEST(TrackNotifier, TellsTheTaggedTrackWithItsCoverAndReplacesTheNoticeBefore) {
  QDBusConnection bus = QDBusConnection::sessionBus();
  if (!bus.isConnected()) GTEST_SKIP() << "no session bus (run through scripts/test.sh)";
  NotificationServer server;
  ASSERT_TRUE(bus.registerVirtualObject("/org/freedesktop/Notifications", &server));
  ASSERT_TRUE(bus.registerService("org.freedesktop.Notifications"));
  QTemporaryDir dir;
  const QString tagged = dir.filePath("tagged.mp3");
  ASSERT_TRUE(QFile::copy(DataFile("no_title.mp3"), tagged));
  QFile::setPermissions(tagged, QFile::ReadOwner | QFile::WriteOwner);
  const QByteArray cover = "\x89PNG not really a picture";
  TagMp3(tagged, {"Hyperballad", "Björk", "Post", 0, cover});

  TrackNotifier notifier("/icons/zelvo.png");
  // Three tracks in a row: the second, skipped before the server answered
  // the first, is never told.
  notifier.Announce("row name", ReadTrackTags(tagged));
  notifier.Announce("Skipped Row", {});
  notifier.Announce("Untagged Row", ReadTrackTags(DataFile("no_title.mp3")));
  ASSERT_TRUE(WaitFor([&] { return server.notices.size() == 2; }));
  QTest::qWait(100);
  EXPECT_EQ(server.notices.size(), 2u);
  bus.unregisterService("org.freedesktop.Notifications");

  const auto& first = server.notices[0];
  EXPECT_EQ(first.replaces, 0u);
  EXPECT_EQ(first.icon, "/icons/zelvo.png");
  EXPECT_EQ(first.summary, "Hyperballad");
  EXPECT_EQ(first.body, "Björk\nPost");
  EXPECT_EQ(server.notices[1].replaces, 41u);
  EXPECT_EQ(server.notices[1].summary, "Untagged Row");
  EXPECT_FALSE(server.notices[1].hints.contains("image-path"));
  const QString coverFile = QUrl(first.hints.value("image-path").toString()).toLocalFile();
  EXPECT_FALSE(QFile::exists(coverFile));  // the next notice has none: the old picture is gone
  EXPECT_EQ(first.hints.value("desktop-entry"), "zelvo");
}

}  // namespace
}  // namespace zelvo::test
