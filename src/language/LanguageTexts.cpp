#include "language/LanguageTexts.h"

#include "language/LanguageFile.h"

namespace {

// The two languages written into a new language file, by key 1 to kLanguageKeyCount.
struct DefaultTexts {
    const char* german;
    const char* english;
};

const DefaultTexts kDefaultTexts[kLanguageKeyCount] = {
    {"Optionen", "Options"},
    {"Start", "Start"},
    {"Pause", "Pause"},
    {"Stop", "Stop"},
    {"Beenden", "Terminate"},
    {"Still", "Mute"},
    {"Allgemein", "General"},
    {"Lautstärke", "Volume"},
    {"Termine", "Dates"},
    {"Sprache", "Language"},
    {"Skin", "Skin"},
    {"Über...", "Over..."},
    {"Programmpfad", "Program path"},
    {"Auf Winamp warten", "Wait for Winamp"},
    {"Länge", "Length"},
    {"Als Fernsteuerung für Winamp nutzen (Start, Pause, Stop)",
     "Use as remote app for Winamp (play, pause,stop)"},
    {"Beim Beenden Winamp schließen", "Close Winamp with termination"},
    {"Autostart", "Autostart"},
    {"Orvella beim Systemstart ausführen", "Implement Orvella with system start"},
    {"Anschließend mit der Wiedergabe beginnen", "Begin playback subsequently"},
    {"Wartezeit beim Systemstart", "Waiting time at system start"},
    {"OK", "OK"},
    {"Abbrechen", "Cancel"},
    {"Lautstärke", "Volume"},
    {"Ansteigende Lautstärke", "Rising Volume"},
    {"Interval", "Interval"},
    {"Pausen machen", "Define breaks"},
    {"Anzahl", "Number"},
    {"Länge", "Length"},
    {"Nach erreichen der Endlautstärke Programm schließen", "Close program after reaching final volume"},
    {"Nach erreichen der Endlautstärke Winamp schließen", "Close Winamp after reaching final volume"},
    {"Startlautstärke", "Initial volume"},
    {"Endlautstärke", "Final volume"},
    {"Orvella Agent aktivieren", "Activate Orvella Agent"},
    {"Termine", "Dates"},
    {"Neu", "New"},
    {"Bearbeiten", "Edit"},
    {"Löschen", "Delete"},
    {"Sprache", "Language"},
    {"Aktive Sprache", "Active language"},
    {"Übersetzungen", "Translations"},
    {"Zurücksetzen", "Reset"},
    {"Speichern", "Save"},
    {"Einstellungen", "Preferences"},
    {"Termine", "Dates"},
    {"Datum", "Date"},
    {"Zeit", "Time"},
    {"Beschreibung", "Description"},
    {"Januar", "January"},
    {"Februar", "February"},
    {"März", "March"},
    {"April", "April"},
    {"Mai", "May"},
    {"Juni", "June"},
    {"Juli", "July"},
    {"August", "August"},
    {"September", "September"},
    {"Oktober", "October"},
    {"November", "November"},
    {"Dezember", "December"},
    {"Wählen Sie ein Wort aus um es zu ersetzen", "Select a word to replace it"},
    {"Termine überwachen", "Control dates"},
    {"Alte Termine löschen", "Delete old dates"},
    {"Automatisch starten", "Run with windows"},
    {"Agent beenden", "Close Agent"},
    {"Standartsprachen wiederherstellen", "Restore default languages"},
    {"Skin", "Skin"},
    {"Wählen Sie ein Skin aus, um es anzuwenden", "Select a skin to use it"},
    {"Sichtbarkeit", "Opacity"},
    {"Automatisch beenden", "Close automatical"},
    {"Automatisch beenden aktivieren", "Activate automatic closing"},
    {"Nach", "After"},
    {"Beendet Orvella nach einer eingestellten", "Closes Orvella automatical after"},
    {"Zeit automatisch, wenn die Wiedergabe läuft", "an adjusted time if playback is started"},
    {"Dateien und Pfade", "Paths and files"},
    {"Sprachdatei", "Language file"},
    {"Skins Pfad", "Skins path"},
    {"Bitte verändern Sie die Einstellungen nicht, wenn es nicht notwendig ist",
     "Please don´t change this settings, if it doesn´t have to be"},
    {"Suchen...", "Search..."},
    {"Windows nach dem Beenden herunterfahren", "Shutdown Windows after closing"},
    {"Windows nach erreichen der Endlautstärke herunterfahren",
     "Shutdown Windows after reaching final volume"},
    // The repeating wake dates: the weekdays from Monday, the date dialog's "Repeat on" and its
    // quick choices, the Dates tab's button and its next-ringing column.
    {"Mo", "Mon"},
    {"Di", "Tue"},
    {"Mi", "Wed"},
    {"Do", "Thu"},
    {"Fr", "Fri"},
    {"Sa", "Sat"},
    {"So", "Sun"},
    {"Wiederholen am", "Repeat on"},
    {"Jeden Tag", "Every day"},
    {"Werktags", "Workdays"},
    {"Überspringen", "Skip next"},
    {"Heute", "Today"},
    {"Morgen", "Tomorrow"},
    {"vorbei", "past"},
};

}  // namespace

std::string DefaultText(bool german, int key) {
    if (key < 1 || key > kLanguageKeyCount) return "";
    const DefaultTexts& texts = kDefaultTexts[key - 1];
    return german ? texts.german : texts.english;
}

std::string BuiltInText(int key) {
    // The windows' own German texts, kept as they always were: four of them differ from the
    // German the file is written with. Keys 62 to 65 have no window text.
    switch (key) {
    case 32: return "Startlaustärke";
    case 61: return "Wählen Sie ein Wort aus, um es zu erstzen";
    case 62: case 63: case 64: case 65: return "";
    case 80: return "Windows nach dem Beenden heruntefahren";
    case 81: return "Windows nach erreichen der Endlautstärke heruntefahren";
    default: return DefaultText(true, key);
    }
}
