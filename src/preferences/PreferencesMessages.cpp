#include "preferences/PreferencesMessages.h"

const PreferencesMessage kAutoCloseOverEndActions{
    {"Aktivieren", "Activate"},
    {"Sie können diese Funktion nicht benutzen, solange die Funktion \"Nach erreichen der Endlautstärke "
     "... beenden\" aktiviert ist.\rWollen Sie die Funktion \"Nach erreichen der Endlautstärke ... beenden\" "
     "deaktivieren und dafür diese aktivieren?",
     "You shouldn´t use t´his future while the function \"Close ... after reaching final volume\" is "
     "activated.\rDo you want to deactivate the function \"Close ... after reaching final volume\" and "
     "activate this one instead?"}};

const PreferencesMessage kEndActionOverAutoClose{
    {"Aktivieren", "Activate"},
    {"Sie können diese Funktion nicht benutzen, solange die Funktion \"Automatisch beenden\" aktiviert "
     "ist.\rWollen Sie die Funktion \"Automatisch beenden\" deaktivieren und dafür diese aktivieren?",
     "You shouldn´t use t´his future while the function \"Close automatical\" is activated.\rDo you want "
     "to deactivate the function \"Close automatical\" and activate this one instead?"}};

const PreferencesMessage kShortWinampWait{
    {"Wartezeit", "Waiting period"},
    {"Es wird empfohlen die Wartezeit über 5 Sekunden zu halten!\rWollen Sie diese trotzdem ändern?",
     "It´s recommended to hold the waiting period over 5 seconds!\rDo you want to change these nevertheless?"}};

const PreferencesMessage kShortStartupWait{
    {"Wartezeit", "Waiting period"},
    {"Es wird empfohlen die Wartezeit über 10 Sekunden zu halten!\rWollen Sie diese trotzdem ändern?",
     "It´s recommended to hold the waiting period over 10 seconds!\rDo you want to change these "
     "nevertheless?"}};

const PreferencesMessage kDeleteWakeDate{
    {"Löschen", "Delete"},
    {"Wollen Sie den Eintrag wirklich löschen?", "Do you really want to delete the entry?"}};

const PreferencesMessage kAgentMissing{
    {"Orvella Agent nicht gefunden", "Orvella Agent not found"},
    {"Orvella Agent wurde nicht gefunden und kann somit nicht ausgeführt werden!",
     "Orvella Agent was not found and cannot not be carried out!"}};

const PreferencesMessage kRestoreDefaultLanguages{
    {"Standartsprachen wiederherstellen", "Restore default languages"},
    {"Wollen Sie die Standartsprachen wirklich wiederherstellen?\rDadurch werden alle Sprachen ausgenommen "
     "Deutsch und Englisch gelöscht!",
     "Do you really want to restore the default languages?\rFor this reason all languages expect german and "
     "englisch will be removed!"}};

int Ask(platform::Platform& platform, const PreferencesMessage& message, unsigned style) {
    return AskYesNo(platform, Choose(platform, message.text), Choose(platform, message.caption), style);
}
