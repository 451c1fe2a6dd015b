#pragma once

#include <QByteArray>
#include <QString>
#include <gtest/gtest.h>

#include <ostream>

// GoogleTest shows Qt texts (and lists of them) and byte arrays as text in its failure messages.
inline void PrintTo(const QString& text, std::ostream* out) {
    *out << testing::PrintToString(text.toStdString());
}

inline void PrintTo(const QByteArray& bytes, std::ostream* out) {
    *out << testing::PrintToString(bytes.toStdString());
}
