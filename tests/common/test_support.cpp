#include "test_support.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QFile>
#include <QThread>
#include <gtest/gtest.h>

namespace zelvo::test {

QString DataFile(const QString& name) { return QStringLiteral(ZELVO_TEST_DATA "/") + name; }

bool WaitFor(const std::function<bool()>& predicate, int timeoutMs) {
  QDeadlineTimer deadline(timeoutMs);
  while (!predicate()) {
    if (deadline.hasExpired()) return predicate();
    QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    QThread::msleep(2);
  }
  return true;
}

QByteArray ReadBytes(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return {};
  return file.readAll();
}

void WriteBytes(const QString& path, const QByteArray& bytes) {
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate)) << path.toStdString();
  ASSERT_EQ(file.write(bytes), bytes.size());
}

}  // namespace zelvo::test
