#include "app/console_texts.h"

#include <algorithm>
#include <array>
#include <string>

#include "app/version.h"

namespace zubk {

namespace {

constexpr std::string_view kBoxEdge = "******************************************************\n";

// Box lines are 54 characters and the line end; the "Ü" counts as one character (0xDC).
constexpr std::size_t kBoxLineSize = 55;

// The maker's line carries the version, so that a job's log shows which program wrote it. The
// version comes from the build, so the line is laid out here, blanks filling up to the box's
// right edge.
constexpr std::string_view kMakerLineStart = "** Hersteller  : zubkimport-Entwicklung, V ";
constexpr std::string_view kBoxLineEnd = "**\n";
static_assert(kMakerLineStart.size() + kVersion.size() + 1 + kBoxLineEnd.size() <= kBoxLineSize,
              "the version does not fit into the banner's box");

constexpr std::array<char, kBoxLineSize> MakeMakerLine() {
    std::array<char, kBoxLineSize> line{};
    std::fill(line.begin(), line.end(), ' ');
    std::copy(kMakerLineStart.begin(), kMakerLineStart.end(), line.begin());
    std::copy(kVersion.begin(), kVersion.end(), line.begin() + kMakerLineStart.size());
    std::copy(kBoxLineEnd.begin(), kBoxLineEnd.end(), line.end() - kBoxLineEnd.size());
    return line;
}

constexpr std::array<char, kBoxLineSize> kMakerLineChars = MakeMakerLine();
constexpr std::string_view kMakerLine(kMakerLineChars.data(), kMakerLineChars.size());

constexpr std::string_view kProjectLine =
    "** Projekt     : KESTRAVON                          **\n";
constexpr std::string_view kToolLine = "** Tool        : ZUBKIMPORT                         **\n";
constexpr std::string_view kDescriptionLine1Cp1252 =
    "** Beschreibung:  \xDC"
    "bernahme der Zutrittsbuchungen   **\n";
constexpr std::string_view kDescriptionLine1Utf8 =
    "** Beschreibung:  \xC3\x9C"
    "bernahme der Zutrittsbuchungen   **\n";
constexpr std::string_view kDescriptionLine2 =
    "**                aus der VEXLO62P in das Schema    **\n";
constexpr std::string_view kDescriptionLine3 =
    "**                QXSYSTEM Tabelle Qxs402Zpk        **\n";

static_assert(kBoxEdge.size() == kBoxLineSize && kMakerLine.size() == kBoxLineSize &&
              kProjectLine.size() == kBoxLineSize && kToolLine.size() == kBoxLineSize &&
              kDescriptionLine1Cp1252.size() == kBoxLineSize &&
              kDescriptionLine2.size() == kBoxLineSize && kDescriptionLine3.size() == kBoxLineSize);

constexpr std::array<std::string_view, 10> kUsageLines = {
    "Befehlsformat: \n",
    "ZUBKIMPORT.EXE Sektionname Terminalname Datei \n",
    "\n",
    "Sektionsname = Name der Sektion in der Ini-Datei     \n",
    "Terminalname = Parameter fuer das SQL-Statement      \n",
    "Datei        = Dateiname der Eingabedatei            \n",
    "\n",
    "Beispiel:\n",
    "ZUBKIMPORT.EXE VEXLO62P ZutCtrl AdminQX.ZutCtrl.vexlo62p.txt 1\n",
    "\n",
};

}  // namespace

void PrintBanner(Console& console) {
    console.Write("\n");
    console.Write(kBoxEdge);
    console.Write(kMakerLine);
    console.Write(kProjectLine);
    console.Write(kToolLine);
    console.Write(console.OwnTextsInUtf8() ? kDescriptionLine1Utf8 : kDescriptionLine1Cp1252);
    console.Write(kDescriptionLine2);
    console.Write(kDescriptionLine3);
    console.Write(kBoxEdge);
    console.Write("\n");
}

void PrintVersion(Console& console) {
    std::string text = "zubkimport ";
    text += kVersion;
    text += "\n";
    console.Write(text);
}

void PrintUsage(Console& console) {
    for (const std::string_view line : kUsageLines) {
        console.Write(line);
    }
}

void PrintArgumentCountError(Console& console) {
    console.Write("Falsche Anzahl Parameter\n");
    console.Write("\n");
}

void PrintSettingsError(Console& console) {
    console.Write("Fehler beim Ermitteln des DB-Usr/DB-Pwd\n");
    console.Write("Quelle: '..\\..\\FILES\\KESTRAVON.INI'\n");
    console.Write("\n");
}

void PrintUnknownDbSystem(Console& console, std::string_view dbSystem,
                          std::string_view allowedSystems) {
    std::string text = "Unbekanntes DB_SYSTEM '";
    text += dbSystem;
    text += "' (erlaubt: ";
    text += allowedSystems;
    text += ")\n";
    console.Write(text);
    console.Write("\n");
}

void PrintDatabaseError(Console& console, std::string_view statementListText,
                        std::string_view message) {
    std::string text = "Exception bei Datenbank Open\n";
    text += statementListText;
    text += message;
    text += "\n\n";
    console.Write(text);
}

void PrintSummary(Console& console, std::int32_t recordCount, std::string_view inputFileName) {
    std::string text = std::to_string(recordCount);
    text += " Saetze kopiert aus Datei ";
    text += inputFileName;
    text += " \n";
    console.Write(text);
}

void PrintReadError(Console& console, std::string_view inputFileName, std::string_view reason) {
    std::string text = "Fehler beim Lesen der Datei ";
    text += inputFileName;
    text += ": ";
    text += reason;
    text += "\n";
    console.Write(text);
}

void PrintUnexpectedError(Console& console, std::string_view what) {
    std::string text = "Unerwarteter Fehler: ";
    text += what;
    text += "\n";
    console.Write(text);
}

}  // namespace zubk
