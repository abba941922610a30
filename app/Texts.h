#pragma once

// Every text the main window shows, exactly as the user reads it.

#include <string_view>

namespace app::texts
{

inline constexpr std::string_view WindowCaption = "RASTERBLICK";
inline constexpr std::string_view ApplicationTitle = "rasterblick";
inline constexpr std::string_view PatienceNote =
    "Bitte haben Sie etwas Geduld. Der Ladevorgang benötigt einige Sekunden.";
// Two blanks after the question mark.
inline constexpr std::string_view Greeting =
    "Bildschirmauflösung?  Den besten Überblick haben Sie mit RASTERBLICK.";
inline constexpr std::string_view LoadingDone = "Ladevorgang erfolgreich beendet.";
inline constexpr std::string_view ReadoutPrefix = "Aktuelle Bildschirmauflösung: ";
inline constexpr std::string_view LoadFailed =
    "Nicht genügend Speicher vorhanden beenden Sie bitte andere Anwendungen!";
inline constexpr std::string_view StartButton = "Start";
inline constexpr std::string_view Only24BitBitmaps = "Es werden nur 24-Bit Bitmaps unterstützt!";

} // namespace app::texts
