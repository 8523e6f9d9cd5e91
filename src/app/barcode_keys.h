#pragma once

#include <QString>

// The barcode box of the reading-room window as a state machine over key
// presses. A scanner types the code's digits and Enter; the first digit opens
// the box, Enter (or Ctrl+M) finishes it, and a key that does not belong to a
// code closes it without counting anything. Keys are the platform's virtual
// key codes (VirtualKeyOf translates Qt's).

struct BarcodeKeyState
{
    bool shown = false; // the box is open; every category button is disabled
    QString text;       // what the box shows
};

struct KeyPress
{
    int virtualKey = 0;
    bool shift = false;
    bool ctrl = false;
};

enum class BarcodeAction
{
    None,   // nothing changed
    Edited, // the box opened or its text changed
    Closed, // the box closed without a code
    Finish  // the box closed; the caller counts the code (FinishedCode of the text)
};

// Applies one key to the state. `letterCodes` is true when the server allows
// codes with a letter prefix ("CFG_BAR_KC" contains "K").
BarcodeAction HandleBarcodeKey(BarcodeKeyState& state, const KeyPress& key, bool letterCodes);

// The code of a finished box: its text without blanks and control characters
// at either end.
QString FinishedCode(const QString& text);

// Whether the server parameter "CFG_BAR_KC" allows letter-prefixed codes.
bool LetterCodesAllowed(const QString& cfgBarKc);

// The virtual key code of a Qt key (a Qt::Key value); `keypad` when the key
// came from the numeric pad. Keys the table does not know give 0.
int VirtualKeyOf(int qtKey, bool keypad);
