#include "process_memory.h"

#include <QByteArray>
#include <QFile>

namespace zelvo {

double StatusMegabytes(const char* field) {
  QFile status(QStringLiteral("/proc/self/status"));
  status.open(QIODevice::ReadOnly);
  for (const QByteArray& line : status.readAll().split('\n'))
    if (line.startsWith(field)) return line.mid(qstrlen(field) + 1).trimmed().split(' ').value(0).toDouble() / 1024;
  return 0;
}

}  // namespace zelvo
