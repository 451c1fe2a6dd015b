#pragma once

#include <QByteArray>
#include <QList>

// Whether a resolved header is one the pattern names, in the notation of the instrument's manual:
// nodes in SCPI notation joined by ':' ("CALL:TCHannel"), optional nodes in brackets
// ("[:SELected]"), alternatives joined by '|' ("[:SELected|:<band>]", "TXPower|PFERror") and
// the placeholder <band>, which stands for any band name ("EGSM").
bool HeaderMatches(const QList<QByteArray>& path, const char* pattern);
