#pragma once
// The Backup command: a copy of the data in the backup folder.

#include <functional>
#include <string>

class CNetbellDoc;
class IPrompts;
class ISettingsStore;

// Copies the data to the backup file and says how it went. desktopFolder
// finds the Desktop; it returns false when the shell cannot.
void BackupData(CNetbellDoc& doc, ISettingsStore& settings, IPrompts& prompts,
                const std::function<bool(std::string&)>& desktopFolder);
