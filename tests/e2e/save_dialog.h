#pragma once

// Driving the platform's save dialog that a program shows.

#include <windows.h>

#include <filesystem>
#include <string>
#include <vector>

// The program's open dialog window (class #32770); nullptr when none appears in time.
HWND WaitForDialog(DWORD processId);

// The texts the dialog's drop-down boxes show (the folder, the file type), UTF-8.
std::vector<std::string> ComboTexts(HWND dialog);

// Types `file` as the file name and confirms with the dialog's OK button.
void ChooseFile(HWND dialog, const std::filesystem::path& file);
// Closes the dialog with its Cancel button.
void CancelDialog(HWND dialog);

// The question the dialog asks on top of itself (replace an existing file?); nullptr when none
// appears in time.
HWND WaitForQuestion(HWND dialog);
// Answers the question with the button `buttonId` (IDYES, IDNO).
void AnswerQuestion(HWND question, int buttonId);
