#include "app/barcode_keys.h"

#include <QtCore/qnamespace.h>

#include <gtest/gtest.h>

namespace {

constexpr int kCtrl = 1;
constexpr int kShift = 2;

struct KeyRow
{
    bool shown;         // the box before the key
    const char* before; // its text before the key
    int virtualKey;
    int modifiers;
    BarcodeAction action;
    bool shownAfter;
    const char* after;
};

// Letter codes allowed ("CFG_BAR_KC" contains "K").
const KeyRow kRows[] = {
    // Backspace
    /* 0*/ {false, "", 8, 0, BarcodeAction::None, false, ""},
    /* 1*/ {true, "12", 8, 0, BarcodeAction::Edited, true, "1"},
    /* 2*/ {true, "", 8, 0, BarcodeAction::None, true, ""},
    // Enter finishes; the text stays for the caller to read
    /* 3*/ {false, "", 13, 0, BarcodeAction::None, false, ""},
    /* 4*/ {true, "123", 13, 0, BarcodeAction::Finish, false, "123"},
    // keys that change nothing either way
    /* 5*/ {false, "", 16, kShift, BarcodeAction::None, false, ""},
    /* 6*/ {true, "1", 16, kShift, BarcodeAction::None, true, "1"},
    /* 7*/ {true, "1", 17, kCtrl, BarcodeAction::None, true, "1"},
    /* 8*/ {true, "1", 18, 0, BarcodeAction::None, true, "1"},
    /* 9*/ {true, "1", 32, 0, BarcodeAction::None, true, "1"},
    /*10*/ {true, "1", 109, 0, BarcodeAction::None, true, "1"},
    /*11*/ {true, "1", 111, 0, BarcodeAction::None, true, "1"},
    /*12*/ {true, "1", 189, 0, BarcodeAction::None, true, "1"},
    /*13*/ {false, "", 191, 0, BarcodeAction::None, false, ""},
    /*14*/ {true, "1", 191, 0, BarcodeAction::None, true, "1"},
    // Escape
    /*15*/ {false, "", 27, 0, BarcodeAction::None, false, ""},
    /*16*/ {true, "12", 27, 0, BarcodeAction::Closed, false, "12"},
    // digits open the box with themselves, then append
    /*17*/ {false, "old", 48, 0, BarcodeAction::Edited, true, "0"},
    /*18*/ {false, "", 57, 0, BarcodeAction::Edited, true, "9"},
    /*19*/ {true, "1", 53, kShift, BarcodeAction::Edited, true, "15"},
    /*20*/ {false, "", 96, 0, BarcodeAction::Edited, true, "0"},
    /*21*/ {true, "1", 105, 0, BarcodeAction::Edited, true, "19"},
    // letters while hidden: Ctrl+K empty, Shift+K "K", others nothing
    /*22*/ {false, "x", 'K', kCtrl, BarcodeAction::Edited, true, ""},
    /*23*/ {false, "", 'K', kShift, BarcodeAction::Edited, true, "K"},
    /*24*/ {false, "", 'K', kCtrl | kShift, BarcodeAction::Edited, true, ""},
    /*25*/ {false, "", 'K', 0, BarcodeAction::None, false, ""},
    /*26*/ {false, "", 'A', kShift, BarcodeAction::None, false, ""},
    /*27*/ {false, "", 'M', kCtrl, BarcodeAction::None, false, ""},
    // letters while shown: Ctrl+M finishes, Shift appends, others nothing
    /*28*/ {true, "K12", 'M', kCtrl, BarcodeAction::Finish, false, "K12"},
    /*29*/ {true, "K1", 'Z', kShift, BarcodeAction::Edited, true, "K1Z"},
    /*30*/ {true, "K1", 'A', 0, BarcodeAction::None, true, "K1"},
    /*31*/ {true, "K1", 'K', kCtrl, BarcodeAction::None, true, "K1"},
    // the key left of 1
    /*32*/ {false, "x", 192, 0, BarcodeAction::Edited, true, ""},
    /*33*/ {true, "1", 192, 0, BarcodeAction::None, true, "1"},
    // any other key closes the box without a code
    /*34*/ {false, "", 0, 0, BarcodeAction::None, false, ""},
    /*35*/ {true, "12", 0, 0, BarcodeAction::Closed, false, "12"},
    /*36*/ {true, "12", 9, 0, BarcodeAction::Closed, false, "12"},
    /*37*/ {true, "12", 106, 0, BarcodeAction::Closed, false, "12"},
};

void CheckRows(const KeyRow* rows, size_t count, bool letterCodes)
{
    for (size_t i = 0; i < count; ++i) {
        const KeyRow& row = rows[i];
        BarcodeKeyState state{row.shown, QString::fromUtf8(row.before)};
        const KeyPress key{row.virtualKey, (row.modifiers & kShift) != 0,
                           (row.modifiers & kCtrl) != 0};
        EXPECT_EQ(HandleBarcodeKey(state, key, letterCodes), row.action) << "row " << i;
        EXPECT_EQ(state.shown, row.shownAfter) << "row " << i;
        EXPECT_EQ(state.text, QString::fromUtf8(row.after)) << "row " << i;
    }
}

TEST(BarcodeKeys, KeyTable)
{
    CheckRows(kRows, std::size(kRows), true);
}

TEST(BarcodeKeys, WithoutLetterCodes)
{
    const KeyRow rows[] = {
        /* 0*/ {false, "", 'K', kShift, BarcodeAction::None, false, ""},
        /* 1*/ {false, "", 'K', kCtrl, BarcodeAction::Edited, true, ""},
        /* 2*/ {true, "1", 'K', kShift, BarcodeAction::None, true, "1"},
        /* 3*/ {true, "1", 'M', kCtrl, BarcodeAction::Finish, false, "1"},
    };
    CheckRows(rows, std::size(rows), false);

    EXPECT_TRUE(LetterCodesAllowed(QStringLiteral("TK")));
    EXPECT_FALSE(LetterCodesAllowed(QStringLiteral("k")));
    EXPECT_FALSE(LetterCodesAllowed(QString()));
}

TEST(BarcodeKeys, ScannedCodeWithEnter)
{
    BarcodeKeyState state;
    const int keys[] = {'1', '0', '0', '2', 13};
    BarcodeAction last = BarcodeAction::None;
    for (int key : keys)
        last = HandleBarcodeKey(state, KeyPress{key, false, false}, false);
    EXPECT_EQ(last, BarcodeAction::Finish);
    EXPECT_EQ(FinishedCode(state.text), QStringLiteral("1002"));
}

TEST(BarcodeKeys, FinishedCodeTrimsBlanksAndControls)
{
    EXPECT_EQ(FinishedCode(QStringLiteral(" \t\x01K 12\r\n\x7f ")), QStringLiteral("K 12"));
    EXPECT_EQ(FinishedCode(QStringLiteral(" \r ")), QString());
}

TEST(BarcodeKeys, VirtualKeyOf)
{
    const struct
    {
        int qtKey;
        bool keypad;
        int virtualKey;
    } rows[] = {
        /* 0*/ {Qt::Key_Backspace, false, 8},
        /* 1*/ {Qt::Key_Return, false, 13},
        /* 2*/ {Qt::Key_Enter, true, 13},
        /* 3*/ {Qt::Key_Shift, false, 16},
        /* 4*/ {Qt::Key_Control, false, 17},
        /* 5*/ {Qt::Key_Alt, false, 18},
        /* 6*/ {Qt::Key_Escape, false, 27},
        /* 7*/ {Qt::Key_Space, false, 32},
        /* 8*/ {Qt::Key_0, false, 48},
        /* 9*/ {Qt::Key_9, false, 57},
        /*10*/ {Qt::Key_0, true, 96},
        /*11*/ {Qt::Key_7, true, 103},
        /*12*/ {Qt::Key_A, false, 65},
        /*13*/ {Qt::Key_Z, false, 90},
        /*14*/ {Qt::Key_Minus, true, 109},
        /*15*/ {Qt::Key_Slash, true, 111},
        /*16*/ {Qt::Key_Minus, false, 189},
        /*17*/ {Qt::Key_Slash, false, 191},
        /*18*/ {Qt::Key_QuoteLeft, false, 192},
        /*19*/ {Qt::Key_AsciiTilde, false, 192},
        /*20*/ {Qt::Key_Exclam, false, 49},
        /*21*/ {Qt::Key_At, false, 50},
        /*22*/ {Qt::Key_AsciiCircum, false, 54},
        /*23*/ {Qt::Key_Asterisk, false, 56},
        /*24*/ {Qt::Key_ParenLeft, false, 57},
        /*25*/ {Qt::Key_ParenRight, false, 48},
        /*26*/ {Qt::Key_Asterisk, true, 0}, // the pad's own "*"
        /*27*/ {Qt::Key_Tab, false, 0},
        /*28*/ {Qt::Key_F1, false, 0},
        /*29*/ {0x0104 /* Ą */, false, 0},
    };
    for (size_t i = 0; i < std::size(rows); ++i)
        EXPECT_EQ(VirtualKeyOf(rows[i].qtKey, rows[i].keypad), rows[i].virtualKey) << "row " << i;
}

} // namespace
