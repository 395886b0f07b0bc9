#include "test_support.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QFile>
#include <QThread>
#include <gtest/gtest.h>
#include <sys/stat.h>

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

::testing::AssertionResult MakeEndlessFiles(const QString& fifo, const QString& zero) {
  if (::mkfifo(QFile::encodeName(fifo).constData(), 0600) != 0)
    return ::testing::AssertionFailure() << "no FIFO at " << fifo.toStdString();
  if (!QFile::link("/dev/zero", zero)) return ::testing::AssertionFailure() << "no link at " << zero.toStdString();
  return ::testing::AssertionSuccess();
}

}  // namespace zelvo::test
