#pragma once

#include <string>

namespace zubk::testing {

// The texts that the tool prints when it refuses a call, as a code page 1252 console shows
// them, byte for byte. Written out here, once, so that a test compares the program's output
// with what it must be, not with what the program's own text functions make of it.

// The banner comes first on every refusal.
inline const std::string kExpectedBanner =
    "\n"
    "******************************************************\n"
    "** Hersteller  : zubkimport-Entwicklung, V 1.1.0    **\n"
    "** Projekt     : KESTRAVON                          **\n"
    "** Tool        : ZUBKIMPORT                         **\n"
    "** Beschreibung:  \xDC"
    "bernahme der Zutrittsbuchungen   **\n"
    "**                aus der VEXLO62P in das Schema    **\n"
    "**                QXSYSTEM Tabelle Qxs402Zpk        **\n"
    "******************************************************\n"
    "\n";

// The answer to --version.
inline const std::string kExpectedVersion = "zubkimport 1.1.0\n";

// The usage help comes last on every refusal.
inline const std::string kExpectedUsage =
    "Befehlsformat: \n"
    "ZUBKIMPORT.EXE Sektionname Terminalname Datei \n"
    "\n"
    "Sektionsname = Name der Sektion in der Ini-Datei     \n"
    "Terminalname = Parameter fuer das SQL-Statement      \n"
    "Datei        = Dateiname der Eingabedatei            \n"
    "\n"
    "Beispiel:\n"
    "ZUBKIMPORT.EXE VEXLO62P ZutCtrl AdminQX.ZutCtrl.vexlo62p.txt 1\n"
    "\n";

// The messages between them.
inline const std::string kExpectedArgumentCountError = "Falsche Anzahl Parameter\n\n";
inline const std::string kExpectedSettingsError =
    "Fehler beim Ermitteln des DB-Usr/DB-Pwd\n"
    "Quelle: '..\\..\\FILES\\KESTRAVON.INI'\n\n";

}  // namespace zubk::testing
