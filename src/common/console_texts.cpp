#include "common/console_texts.h"

#include <algorithm>
#include <array>
#include <string>
#include <vector>

#include "common/file_names.h"
#include "common/text_encoding.h"

#include "common/version.h"

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

// "Satz 17 (Byte 528)": the record's number in the file and the offset of its first byte.
std::string RecordName(std::size_t number, std::uint64_t offset) {
    return "Satz " + std::to_string(number) + " (Byte " + std::to_string(offset) + ")";
}

// Text of the tool's own making (UTF-8: statements, the driver's messages, settings) as the
// console shows it. ASCII stays as it is.
std::string Shown(const Console& console, std::string_view utf8) {
    return console.OwnTextsInUtf8() ? std::string(utf8) : Utf8ToCp1252(utf8);
}

// A file name as the command line gave it, or made from it: on Linux byte for byte, on Windows
// from UTF-8 in the console's character set.
std::string ShownFileName(const Console& console, std::string_view name) {
    if constexpr (kFileNamesAreUtf8) {
        return Shown(console, name);
    }
    return std::string(name);
}

// "Zeile 7 von /data/in/VEXLO00P.TXT": where in the parameter file a setting stands.
std::string ParameterFilePlace(const Console& console, int line, std::string_view path) {
    return "Zeile " + std::to_string(line) + " von " + ShownFileName(console, path);
}

std::string Listed(std::span<const std::string> items) {
    std::string text;
    for (const std::string& item : items) {
        if (!text.empty()) {
            text += ", ";
        }
        text += item;
    }
    return text;
}

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

void PrintWithBannerAndUsage(Console& console, const std::function<void(Console&)>& message) {
    PrintBanner(console);
    message(console);
    PrintUsage(console);
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

void PrintParameterFileNotFound(Console& console, std::string_view path) {
    console.Write("Parameterdatei " + ShownFileName(console, path) + " nicht gefunden\n");
}

void PrintParameterFileUnreadable(Console& console, std::string_view path,
                                  std::string_view reason) {
    console.Write("Parameterdatei " + ShownFileName(console, path) +
                  " nicht lesbar: " + std::string(reason) + "\n");
}

void PrintParameterFilesAlike(Console& console, std::span<const std::string> paths) {
    std::vector<std::string> shown;
    for (const std::string& path : paths) {
        shown.push_back(ShownFileName(console, path));
    }
    console.Write("Mehrere Parameterdateien, nur in Gross-/Kleinschreibung verschieden: " +
                  Listed(shown) + "\n");
}

void PrintSettingsNotFound(Console& console, std::string_view path,
                           std::span<const std::string> keys) {
    console.Write("Parameterdatei " + ShownFileName(console, path) + " ohne Wert fuer " +
                  Listed(keys) + "\n");
}

void PrintEntryForSeveralSettings(Console& console, std::string_view path, int line,
                                  std::span<const std::string> keys) {
    console.Write("Der Eintrag in " + ParameterFilePlace(console, line, path) + " gilt fuer " +
                  Listed(keys) + "; bitte Sektion, Nummer und Schluessel pruefen\n");
}

void PrintUnknownDbSystem(Console& console, std::string_view dbSystem,
                          std::string_view allowedSystems) {
    std::string text = "Unbekanntes DB_SYSTEM '";
    text += Shown(console, dbSystem);
    text += "' (erlaubt: ";
    text += allowedSystems;
    text += ")\n";
    console.Write(text);
    console.Write("\n");
}

void PrintUnknownDbSystemInLine(Console& console, std::string_view path, int line,
                                std::string_view allowedSystems) {
    console.Write("Unbekanntes DB_SYSTEM in " + ParameterFilePlace(console, line, path) +
                  " (erlaubt: " + std::string(allowedSystems) + ")\n");
    console.Write("\n");
}

void PrintInvalidSetting(Console& console, std::string_view key, std::string_view path, int line,
                         std::int64_t min, std::int64_t max) {
    std::string text = "Ungueltiger Wert fuer ";
    text += key;
    text += " in ";
    text += ParameterFilePlace(console, line, path);
    text +=
        " (erlaubt: ganze Zahl von " + std::to_string(min) + " bis " + std::to_string(max) + ")\n";
    console.Write(text);
    console.Write("\n");
}

void PrintBlankAtEitherEnd(Console& console, std::string_view key, std::string_view path,
                           int line) {
    std::string text(key);
    text += " in ";
    text += ParameterFilePlace(console, line, path);
    text +=
        " beginnt oder endet mit einem Leerzeichen, das der ODBC-Treiber nicht weitergibt; "
        "bitte entfernen\n";
    console.Write(text);
    console.Write("\n");
}

void PrintRejectFileRefused(Console& console, std::string_view parameterFilePath) {
    std::string text = "REJECT_FILE in ";
    text += ShownFileName(console, parameterFilePath);
    text += " nennt die Eingabedatei oder die Parameterdatei selbst\n";
    console.Write(text);
    console.Write("\n");
}

void PrintDatabaseError(Console& console, std::string_view statementText, std::string_view message,
                        std::string_view recordLine) {
    std::string text = "Exception bei Datenbank Open\n";
    text += Shown(console, statementText);
    text += Shown(console, message);
    text += "\n";
    text += recordLine;
    text += "\n";
    console.Write(text);
}

std::string RecordNotImportedLine(std::size_t number, std::uint64_t offset) {
    return RecordName(number, offset) + " nicht uebernommen\n";
}

std::string RecordInDoubtLine(std::size_t number, std::uint64_t offset) {
    return RecordName(number, offset) +
           " vielleicht doch uebernommen: die Verbindung brach waehrend der Anweisung ab\n";
}

std::string RecordTimedOutLine(std::size_t number, std::uint64_t offset) {
    return RecordName(number, offset) +
           " vielleicht doch uebernommen: die Anweisung wurde nach ihrem Zeitlimit abgebrochen\n";
}

std::string RecordWithoutAnswerLine(std::size_t number, std::uint64_t offset) {
    return RecordName(number, offset) +
           " vielleicht doch uebernommen: die Datenbank antwortete nicht mehr\n";
}

std::string RecordNotAttemptedLine(std::size_t number, std::uint64_t offset) {
    return RecordName(number, offset) + " nicht versucht\n";
}

void PrintMalformedRecord(Console& console, std::size_t number, std::uint64_t offset,
                          std::string_view reason) {
    std::string text = "Fehlerhafter ";
    text += RecordName(number, offset);
    text += ": ";
    text += reason;
    text += "; nicht uebernommen\n\n";
    console.Write(text);
}

void PrintConnectionRetry(Console& console, std::int64_t seconds) {
    console.Write("Verbindung zur Datenbank unterbrochen; neue Versuche bis zu " +
                  std::to_string(seconds) + " s\n\n");
}

void PrintConnectionBack(Console& console) {
    console.Write("Verbindung zur Datenbank wiederhergestellt\n\n");
}

void PrintRunStopped(Console& console, StopReason reason, std::int64_t figure,
                     std::size_t notAttempted) {
    std::string text = "Lauf abgebrochen: ";
    switch (reason) {
        case StopReason::None:
        case StopReason::Interrupted:
            text += "unterbrochen";
            break;
        case StopReason::LoginRefused:
            text += "Anmeldung abgewiesen";
            break;
        case StopReason::NotSetUp:
            text += "Datenquelle oder ODBC-Treiber nicht eingerichtet";
            break;
        case StopReason::ServerUnreachable:
            text += "Datenbank " + std::to_string(figure) + " s lang nicht erreichbar";
            break;
        case StopReason::TooManyFailures:
            text += std::to_string(figure) + " Saetze in Folge fehlgeschlagen";
            break;
        case StopReason::NoAnswer:
            text += "Datenbank antwortet nicht innerhalb von " + std::to_string(figure) + " s";
            break;
    }
    text += "; " + std::to_string(notAttempted) + " Saetze nicht versucht\n";
    console.Write(text);
}

void PrintSummary(Console& console, std::int32_t recordCount, std::string_view inputFileName) {
    std::string text = std::to_string(recordCount);
    text += " Saetze kopiert aus Datei ";
    text += ShownFileName(console, inputFileName);
    text += " \n";
    console.Write(text);
}

void PrintReadError(Console& console, std::string_view inputFileName, std::string_view reason) {
    std::string text = "Fehler beim Lesen der Datei ";
    text += ShownFileName(console, inputFileName);
    text += ": ";
    text += reason;
    text += "\n";
    console.Write(text);
}

std::string_view NotARegularFileReason() {
    return "keine gewoehnliche Datei, sondern eine Pipe, ein Geraet oder ein Socket";
}

std::string_view InputFileInUseReason() {
    return "ein anderer Lauf uebernimmt sie gerade; dieser Lauf uebernimmt nichts";
}

std::string WindowsErrorText(unsigned long code) {
    return "Windows-Fehler " + std::to_string(code);
}

void PrintInputChanged(Console& console, std::string_view inputFileName, std::uint64_t bytesRead) {
    std::string text = "Die Datei ";
    text += ShownFileName(console, inputFileName);
    text += " wurde waehrend des Laufs geaendert; was nach ihren ersten " +
            std::to_string(bytesRead) + " Bytes hinzukam, ist nicht uebernommen\n";
    console.Write(text);
}

void PrintRejectFileError(Console& console, std::string_view path, std::string_view reason) {
    std::string text = "Fehler beim Schreiben der Rueckweisungsdatei ";
    text += ShownFileName(console, path);
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
