#include "app/barcode_keys.h"

#include <QtCore/qnamespace.h>

namespace {

// Virtual key codes of the keys the barcode box knows.
constexpr int kBackspace = 8;
constexpr int kEnter = 13;
constexpr int kShift = 16;
constexpr int kControl = 17;
constexpr int kAlt = 18;
constexpr int kEscape = 27;
constexpr int kSpace = 32;
constexpr int kDigit0 = 48;
constexpr int kDigit9 = 57;
constexpr int kLetterA = 65;
constexpr int kLetterZ = 90;
constexpr int kPad0 = 96;
constexpr int kPad9 = 105;
constexpr int kPadMinus = 109;
constexpr int kPadSlash = 111;
constexpr int kMinus = 189;
constexpr int kSlash = 191;
constexpr int kLeftOfOne = 192;

bool IsDigitKey(int key)
{
    return (key >= kDigit0 && key <= kDigit9) || (key >= kPad0 && key <= kPad9);
}

QChar DigitOf(int key)
{
    const int digit = key >= kPad0 ? key - kPad0 : key - kDigit0;
    return QLatin1Char(static_cast<char>('0' + digit));
}

bool IsLetterKey(int key)
{
    return key >= kLetterA && key <= kLetterZ;
}

// Keys a scanner or the operator may press along with a code that change
// nothing either way: modifiers, and separators some code formats carry.
bool IsIgnoredKey(int key)
{
    switch (key) {
    case kShift:
    case kControl:
    case kAlt:
    case kSpace:
    case kPadMinus:
    case kPadSlash:
    case kMinus:
    case kSlash:
        return true;
    default:
        return false;
    }
}

BarcodeAction Open(BarcodeKeyState& state, const QString& text)
{
    state.shown = true;
    state.text = text;
    return BarcodeAction::Edited;
}

BarcodeAction Append(BarcodeKeyState& state, QChar c)
{
    state.text += c;
    return BarcodeAction::Edited;
}

BarcodeAction KeyWhileHidden(BarcodeKeyState& state, const KeyPress& key, bool letterCodes)
{
    if (IsDigitKey(key.virtualKey))
        return Open(state, QString(DigitOf(key.virtualKey)));
    if (key.virtualKey == kLeftOfOne)
        return Open(state, QString());
    if (key.virtualKey == 'K') {
        // Ctrl+K opens the box for typing a code by hand; a scanner that
        // sends letter-prefixed codes starts with Shift+K.
        if (key.ctrl)
            return Open(state, QString());
        if (key.shift && letterCodes)
            return Open(state, QStringLiteral("K"));
    }
    return BarcodeAction::None;
}

BarcodeAction KeyWhileShown(BarcodeKeyState& state, const KeyPress& key, bool letterCodes)
{
    const int vk = key.virtualKey;
    if (vk == kBackspace) {
        if (state.text.isEmpty())
            return BarcodeAction::None;
        state.text.chop(1);
        return BarcodeAction::Edited;
    }
    if (vk == kEnter) {
        state.shown = false;
        return BarcodeAction::Finish;
    }
    if (IsIgnoredKey(vk) || vk == kLeftOfOne)
        return BarcodeAction::None;
    if (IsDigitKey(vk))
        return Append(state, DigitOf(vk));
    if (IsLetterKey(vk)) {
        // Ctrl+M is the control character CR: some scanners end a code so.
        if (vk == 'M' && key.ctrl) {
            state.shown = false;
            return BarcodeAction::Finish;
        }
        if (key.shift && letterCodes)
            return Append(state, QLatin1Char(static_cast<char>(vk)));
        return BarcodeAction::None;
    }
    // Escape, and any key that cannot belong to a code: the operator is
    // doing something else, so the box goes away without counting.
    state.shown = false;
    return BarcodeAction::Closed;
}

bool IsTrimmed(QChar c)
{
    return c.unicode() <= 0x20 || c.isSpace() || c.category() == QChar::Other_Control;
}

// Shifted digits of a US keyboard: a scanner set up to send Shift with every
// character types these, and they stand for the digit under them.
int ShiftedDigit(int qtKey)
{
    switch (qtKey) {
    case Qt::Key_ParenRight:
        return 0;
    case Qt::Key_Exclam:
        return 1;
    case Qt::Key_At:
        return 2;
    case Qt::Key_NumberSign:
        return 3;
    case Qt::Key_Dollar:
        return 4;
    case Qt::Key_Percent:
        return 5;
    case Qt::Key_AsciiCircum:
        return 6;
    case Qt::Key_Ampersand:
        return 7;
    case Qt::Key_Asterisk:
        return 8;
    case Qt::Key_ParenLeft:
        return 9;
    default:
        return -1;
    }
}

} // namespace

BarcodeAction HandleBarcodeKey(BarcodeKeyState& state, const KeyPress& key, bool letterCodes)
{
    return state.shown ? KeyWhileShown(state, key, letterCodes)
                       : KeyWhileHidden(state, key, letterCodes);
}

QString FinishedCode(const QString& text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && IsTrimmed(text[begin]))
        ++begin;
    while (end > begin && IsTrimmed(text[end - 1]))
        --end;
    return text.mid(begin, end - begin);
}

bool LetterCodesAllowed(const QString& cfgBarKc)
{
    return cfgBarKc.contains(QLatin1Char('K'));
}

int VirtualKeyOf(int qtKey, bool keypad)
{
    if (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9)
        return (keypad ? kPad0 : kDigit0) + (qtKey - Qt::Key_0);
    if (qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z)
        return kLetterA + (qtKey - Qt::Key_A);
    // The pad's "*" is a key of its own, not a shifted 8.
    if (!keypad) {
        const int digit = ShiftedDigit(qtKey);
        if (digit >= 0)
            return kDigit0 + digit;
    }
    switch (qtKey) {
    case Qt::Key_Backspace:
        return kBackspace;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return kEnter;
    case Qt::Key_Shift:
        return kShift;
    case Qt::Key_Control:
        return kControl;
    case Qt::Key_Alt:
    case Qt::Key_AltGr:
        return kAlt;
    case Qt::Key_Escape:
        return kEscape;
    case Qt::Key_Space:
        return kSpace;
    // The same physical keys with Shift: "_" is on minus, "?" on slash.
    case Qt::Key_Minus:
    case Qt::Key_Underscore:
        return keypad ? kPadMinus : kMinus;
    case Qt::Key_Slash:
    case Qt::Key_Question:
        return keypad ? kPadSlash : kSlash;
    case Qt::Key_QuoteLeft:
    case Qt::Key_AsciiTilde:
        return kLeftOfOne;
    default:
        return 0;
    }
}
