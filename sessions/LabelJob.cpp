#include "sessions/LabelJob.h"

namespace {

constexpr int kRegionHk = 1;
constexpr int kCheckDigitIndex = 14;

// The printf field "%-W.Ws" of text from its character at from: cut to width, padded with blanks.
QByteArray Field(const QByteArray& text, int from, int width) {
    return text.mid(from, width).leftJustified(width, ' ');
}

QByteArray Number(int value) {
    return QByteArray::number(value);
}

QByteArray CheckDigit(const QByteArray& scanned) {
    return scanned.mid(kCheckDigitIndex, 1);
}

QByteArray BarcodeLine(const QByteArray& scanned, int vertical) {
    return "VBR;" + Number(vertical) + ";HBR;8;BCST;\"C" + Field(scanned, 0, 14) +
           "\";BSAL;6;\"@F" + CheckDigit(scanned) + "\";BSTP;\n";
}

QByteArray ImeiText(const QByteArray& scanned) {
    return "\"IMEI: " + Field(scanned, 0, 6) + '-' + Field(scanned, 6, 2) + '-' +
           Field(scanned, 8, 6) + "\";SAL;6;\" /" + CheckDigit(scanned) + "\";\n";
}

QByteArray TextLine(const QByteArray& scanned, int vertical) {
    return "VBR;" + Number(vertical) + ";HBR;8;" + ImeiText(scanned);
}

const QByteArray kEnd = "RET;\n";
const QByteArray kTerminate = "TRM;\\\n";

QList<QByteArray> HkJob(const QByteArray& scanned) {
    return {
        "~^\"QM300G2.RCL\";1;3;48;200;SPB;\n",
        "NUBC;1;NUM;BCLC;1;BCID;-1;IDF;-1;\n",
        "MRK;\n",
        "VBR;31;HBR;0;DWBX;0;-30;434;45;\n",
        "VBR;31;HBR;8;BDEF;25;BCPI;2;BCSH;30;BCST;\"C" + Field(scanned, 0, 14) +
            "\";BSAL;6;\"@F0\";BSTP;\n",
        "VBR;32;HBR;8;DDF;6;1;DFM;1;1;DFO;1;1;DFS;2;" + ImeiText(scanned),
        kEnd,
        kTerminate,
    };
}

QList<QByteArray> ThreeLabelJob(const QByteArray& scanned, const LabelSettings& settings) {
    const int v = settings.vertical;
    QList<QByteArray> lines = {
        "~^\"QM300G.RCL\";" + Number(settings.count) + ";0;180;" + Number(settings.horizontal) +
            ";SPB;\n",
        "DDF;6;1;DFM;1;1;DFO;1;1;DFS;2;BDEF;25;BCPI;2;BCSH;30;\n",
        "NUM;BCLC;1;BCID;-1;IDF;-1;\n",
        "MRK;\n",
        "VBR;" + Number(v) + ";HBR;0;DWBX;0;0;434;165;\n",
    };
    for (const int row : {57, 103, 150}) {
        lines << BarcodeLine(scanned, v + row);
        lines << TextLine(scanned, v + row + 1);
    }
    return lines << kEnd << kTerminate;
}

} // namespace

QList<QByteArray> LabelJobLines(const QByteArray& scanned, const LabelSettings& settings,
                                int regionCode) {
    return regionCode == kRegionHk ? HkJob(scanned) : ThreeLabelJob(scanned, settings);
}
