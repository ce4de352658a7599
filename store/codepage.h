#pragma once
#include <QByteArray>
#include <QString>

// Windows-1252, one byte per character. Decoding never fails: the five bytes the
// code page leaves undefined map to the control characters of the same value.
namespace codepage {
QString decode(const QByteArray& bytes);
// A character outside the code page becomes "?".
QByteArray encode(const QString& text);
// Whether the code page has the character.
bool holds(QChar c);
}  // namespace codepage
