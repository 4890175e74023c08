#pragma once
// The menu commands the main frame serves itself or hands on by number.

#include "framework/core/zafeventtypes.h"

inline constexpr ZafEventType NewCommand = 10001;
inline constexpr ZafEventType OpenCommand = 10002;
inline constexpr ZafEventType AboutCommand = 10128;
inline constexpr ZafEventType HelpContentsCommand = 10129;
// The range the hardware tool bar serves.
inline constexpr ZafEventType FirstHardwareBarCommand = 10577;
inline constexpr ZafEventType LastHardwareBarCommand = 10591;

// Scoreboard menu.
inline constexpr ZafEventType ScoreboardInitializeCommand = 10152;
inline constexpr ZafEventType ScoreboardRefreshCommand = 10157;
inline constexpr ZafEventType ScoreboardTimeOfDayCommand = 10158;
inline constexpr ZafEventType Scoreboard24HourCommand = 10159;
inline constexpr ZafEventType ScoreboardEditMessageCommand = 10161;
inline constexpr ZafEventType ScoreboardSendMessageCommand = 10162;

// Chart menu, development items.
inline constexpr ZafEventType ChartShowDataCommand = 10167;
inline constexpr ZafEventType ChartFirstDisplayMode = 10169;
inline constexpr ZafEventType ChartLastDisplayMode = 10173;
inline constexpr ZafEventType ChartLocalAlgorithmLineCommand = 10175;

// Hardware menu.
inline constexpr ZafEventType UpdateFirmwareCommand = 10176;
inline constexpr ZafEventType LoadAudioCommand = 10177;
