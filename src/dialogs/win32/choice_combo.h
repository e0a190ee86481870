#pragma once
// A sorted drop-down list filled from choices that carry their index.

#include <windows.h>

#include <string>
#include <vector>

#include "dialogs/task_dialog_logic.h"

// Adds the items, each carrying its index, and selects item nSelect of the
// given order (-1: none) wherever the box's sorting put it.
void FillChoiceCombo(HWND hCombo, const std::vector<ChoiceItem>& items, int nSelect = -1);

// The chosen item's text as it was given, found by the index it carries, so
// that no character is lost to the box's form of it; empty when nothing is
// chosen.
std::string ChosenChoiceText(HWND hCombo, const std::vector<ChoiceItem>& items);
