#pragma once

#include <QByteArray>
#include <QString>

namespace zelvo {

// The readable text of an RTF document, for showing the help file where no
// RTF reader is installed: paragraphs become lines, \bullet a bullet, \tab a
// tab, escaped and \'hh (Windows-1252) or \uN characters themselves; font
// and colour tables, pictures and other destinations are left out.
QString RtfToPlainText(const QByteArray& rtf);

}  // namespace zelvo
