#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

// The IMEI station's two files in the working directory.
inline constexpr const char* kImeiResultFile = "Imeiresult.txt";
inline constexpr const char* kSoftwareVersionFile = "swver.txt";

// Appends an empty line and then line to "Imeiresult.txt", created when missing. False with the
// reason when the record could not be kept.
bool AppendImeiRecord(const QString& line, QString* error);

// The expected software version: up to the first 14 bytes of "swver.txt", which is created empty
// when missing. None, with the reason, when the file can neither be read nor created.
std::optional<QByteArray> ReadReferenceVersion(QString* error);
