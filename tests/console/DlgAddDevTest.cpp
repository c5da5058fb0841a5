#include "console/DlgAddDev.h"
#include "console/OperatorTexts.h"
#include "resources/ResourceIds.h"
#include "tests/console/ConsoleUi.h"
#include "tests/support/RunScripted.h"

#include <gtest/gtest.h>

namespace {

const int kFieldEdits[] = {IDC_EDIT_DEVICE_ID,   IDC_EDIT_API_KEY, IDC_EDIT_PLATFORM_ID,
                           IDC_EDIT_DEVICE_NAME, IDC_EDIT_ADDRESS, IDC_EDIT_NUMBER};
const wchar_t* const kFieldMessages[] = {kDeviceIdInvalidText,   kApiKeyInvalidText,  kPlatformIdInvalidText,
                                         kDeviceNameInvalidText, kAddressInvalidText, kNumberInvalidText};
const char* const kGoodFields[] = {"dev-01", "key01", "5001", "水泵", "一号楼", "01"};
const wchar_t* const kUnsaveableMessages[] = {kDeviceIdUnsaveableText,   kApiKeyUnsaveableText,
                                              kPlatformIdUnsaveableText, kDeviceNameUnsaveableText,
                                              kAddressUnsaveableText,    kNumberUnsaveableText};
// Texts with a character that code page 936, the account file's, lacks: it would be stored as "?".
const char* const kUnsaveableTexts[] = {"Straße", "mañana", "한국어", "灯😀"};

void FillGoodFields(QWidget* pDialog)
{
    for (int i = 0; i < 6; ++i)
        TypeInto(pDialog, kFieldEdits[i], QString::fromUtf8(kGoodFields[i]));
}

void GiveUsers(CDlgAddDev& dlg, std::initializer_list<const wchar_t*> names, int nUser)
{
    for (const wchar_t* name : names)
        dlg.m_arrUser.Add(name);
    dlg.m_nUser = nUser;
}

TEST(DlgAddDevTest, OpensOnThePreselectedUserAndReturnsTheFieldsTrimmed)
{
    CDlgAddDev dlg;
    GiveUsers(dlg, {L"甲", L"乙", L"丙"}, 2);
    CModalScript script;
    script.OnWindow(AddDeviceTitle(), [](QWidget* pDialog) {
        EXPECT_EQ(BoxItems(pDialog, IDC_COMBO_ADDDEV_USER), QStringList({"甲", "乙", "丙"}));
        EXPECT_EQ(BoxSelection(pDialog, IDC_COMBO_ADDDEV_USER), 2);
        TypeInto(pDialog, IDC_EDIT_DEVICE_ID, "  dev 01\t");
        TypeInto(pDialog, IDC_EDIT_API_KEY, " key ");
        TypeInto(pDialog, IDC_EDIT_PLATFORM_ID, "5001");
        TypeInto(pDialog, IDC_EDIT_DEVICE_NAME, "  水泵");
        TypeInto(pDialog, IDC_EDIT_ADDRESS, "一号楼  ");
        TypeInto(pDialog, IDC_EDIT_NUMBER, "\t01 ");
        ChooseInBox(pDialog, IDC_COMBO_ADDDEV_USER, 1);
        Click(pDialog, IDOK);
        // The edits show what the caller gets.
        EXPECT_EQ(EditText(pDialog, IDC_EDIT_DEVICE_ID), "dev 01");
        EXPECT_EQ(EditText(pDialog, IDC_EDIT_NUMBER), "01");
    });

    EXPECT_EQ(RunScripted(script, dlg), IDOK);
    EXPECT_TRUE(script.Boxes().isEmpty());
    EXPECT_EQ(dlg.m_strId, CString(L"dev 01"));
    EXPECT_EQ(dlg.m_strApiKey, CString(L"key"));
    EXPECT_EQ(dlg.m_strDeviceId, CString(L"5001"));
    EXPECT_EQ(dlg.m_strName, CString(L"水泵"));
    EXPECT_EQ(dlg.m_strAddress, CString(L"一号楼"));
    EXPECT_EQ(dlg.m_strNumber, CString(L"01"));
    EXPECT_EQ(dlg.m_nUser, 1);
    EXPECT_EQ(dlg.m_arrUser.GetSize(), 3);
}

// Each field, made bad in each way, gets its own message, and the dialog stays open with
// the bad text still in the edit.
TEST(DlgAddDevTest, EachBadFieldIsRefusedWithItsOwnMessage)
{
    const QStringList badValues = {"", "   ", "a|b", "{x", "x}", "|"};
    for (int field = 0; field < 6; ++field) {
        CDlgAddDev dlg;
        GiveUsers(dlg, {L"甲"}, 0);
        CModalScript script;
        for (const QString& bad : badValues) {
            script.OnWindow(AddDeviceTitle(), [field, bad](QWidget* pDialog) {
                FillGoodFields(pDialog);
                TypeInto(pDialog, kFieldEdits[field], bad);
                Click(pDialog, IDOK);
            });
            script.AnswerMessageBox(kOk);
            script.OnWindow(AddDeviceTitle(), [field, bad](QWidget* pDialog) {
                EXPECT_EQ(EditText(pDialog, kFieldEdits[field]), bad);
                const int other = (field + 1) % 6;
                EXPECT_EQ(EditText(pDialog, kFieldEdits[other]), QString::fromUtf8(kGoodFields[other]));
            });
        }
        script.OnWindow(AddDeviceTitle(),
                        [](QWidget* pDialog) { PressKey(pDialog, IDC_EDIT_DEVICE_ID, Qt::Key_Escape); });

        EXPECT_EQ(RunScripted(script, dlg), IDCANCEL) << "field " << field;
        ASSERT_EQ(script.Boxes().size(), badValues.size());
        for (int i = 0; i < badValues.size(); ++i)
            EXPECT_EQ(script.Boxes()[i], Box(kFieldMessages[field])) << "field " << field << " value " << i;
    }
}

// Each field refuses such a text with its own message, right after its own check and before
// any later field's, and keeps it in its edit; any text of the code page's own passes.
TEST(DlgAddDevTest, EachFieldRefusesCharactersTheAccountFileCannotHold)
{
    for (int field = 0; field < 6; ++field) {
        CDlgAddDev dlg;
        GiveUsers(dlg, {L"甲"}, 0);
        CModalScript script;
        QStringList expected;
        const auto pressOk = [&](const QString& text, const wchar_t* pszMessage, int nLaterField = -1) {
            script.OnWindow(AddDeviceTitle(), [=](QWidget* pDialog) {
                FillGoodFields(pDialog);
                PasteInto(pDialog, kFieldEdits[field], text);
                if (nLaterField >= 0)
                    TypeInto(pDialog, kFieldEdits[nLaterField], "{");
                Click(pDialog, IDOK);
            });
            script.AnswerMessageBox(kOk);
            script.OnWindow(AddDeviceTitle(),
                            [=](QWidget* pDialog) { EXPECT_EQ(EditText(pDialog, kFieldEdits[field]), text); });
            expected << Box(pszMessage);
        };
        for (const char* text : kUnsaveableTexts)
            pressOk(QString::fromUtf8(text), kUnsaveableMessages[field]);
        pressOk("ß|", kFieldMessages[field]);
        if (field < 5)
            pressOk("ß", kUnsaveableMessages[field], field + 1);
        script.OnWindow(AddDeviceTitle(), [field](QWidget* pDialog) {
            FillGoodFields(pDialog);
            PasteInto(pDialog, kFieldEdits[field], "囧镕·é€");
            Click(pDialog, IDOK);
        });

        EXPECT_EQ(RunScripted(script, dlg), IDOK) << "field " << field;
        EXPECT_EQ(script.Boxes(), expected) << "field " << field;
        const CString* members[] = {&dlg.m_strId,   &dlg.m_strApiKey,  &dlg.m_strDeviceId,
                                    &dlg.m_strName, &dlg.m_strAddress, &dlg.m_strNumber};
        EXPECT_EQ(*members[field], CString(L"囧镕·é€"));
    }
}

TEST(DlgAddDevTest, OnlyTheFirstBadFieldIsReportedPerPress)
{
    CDlgAddDev dlg;
    GiveUsers(dlg, {L"甲"}, 0);
    CModalScript script;
    script.OnWindow(AddDeviceTitle(), [](QWidget* pDialog) {
        FillGoodFields(pDialog);
        TypeInto(pDialog, IDC_EDIT_API_KEY, "");
        TypeInto(pDialog, IDC_EDIT_NUMBER, "{1}");
        Click(pDialog, IDOK);
    });
    script.AnswerMessageBox(kOk);
    script.OnWindow(AddDeviceTitle(), [](QWidget* pDialog) {
        TypeInto(pDialog, IDC_EDIT_API_KEY, "key");
        PressKey(pDialog, IDC_EDIT_ADDRESS, Qt::Key_Return);
    });
    script.AnswerMessageBox(kOk);
    script.OnWindow(AddDeviceTitle(), [](QWidget* pDialog) {
        TypeInto(pDialog, IDC_EDIT_NUMBER, "1");
        PressKey(pDialog, IDC_EDIT_NUMBER, Qt::Key_Return);
    });

    EXPECT_EQ(RunScripted(script, dlg), IDOK);
    EXPECT_EQ(script.Boxes(), QStringList({Box(kApiKeyInvalidText), Box(kNumberInvalidText)}));
    EXPECT_EQ(dlg.m_strApiKey, CString(L"key"));
    EXPECT_EQ(dlg.m_strNumber, CString(L"1"));
}

TEST(DlgAddDevTest, OkWithNoUserChosenIsRefusedAndKeepsWhatWasTyped)
{
    CDlgAddDev dlg;
    GiveUsers(dlg, {L"甲", L"乙"}, -1);
    CModalScript script;
    script.OnWindow(AddDeviceTitle(), [](QWidget* pDialog) {
        EXPECT_EQ(BoxSelection(pDialog, IDC_COMBO_ADDDEV_USER), -1);
        FillGoodFields(pDialog);
        Click(pDialog, IDOK);
    });
    script.AnswerMessageBox(kOk);
    script.OnWindow(AddDeviceTitle(), [](QWidget* pDialog) {
        for (int i = 0; i < 6; ++i)
            EXPECT_EQ(EditText(pDialog, kFieldEdits[i]), QString::fromUtf8(kGoodFields[i]));
        ChooseInBox(pDialog, IDC_COMBO_ADDDEV_USER, 1);
        Click(pDialog, IDOK);
    });

    EXPECT_EQ(RunScripted(script, dlg), IDOK);
    EXPECT_EQ(script.Boxes(), QStringList({Box(kNoUserChosenText)}));
    EXPECT_EQ(dlg.m_nUser, 1);
    EXPECT_EQ(dlg.m_strName, CString(L"水泵"));
}

TEST(DlgAddDevTest, NamesAddedInOneRunFollowTheGivenOnesAndTheLastIsSelected)
{
    CDlgAddDev dlg;
    GiveUsers(dlg, {}, -1);
    CModalScript script;
    script.OnWindow(AddDeviceTitle(), [](QWidget* pDialog) {
        EXPECT_TRUE(BoxItems(pDialog, IDC_COMBO_ADDDEV_USER).isEmpty());
        EXPECT_EQ(BoxSelection(pDialog, IDC_COMBO_ADDDEV_USER), -1);
        Click(pDialog, IDC_BTN_ADD_USER);
    });
    script.OnWindow(AddUserTitle(), [](QWidget* pDialog) {
        TypeInto(pDialog, IDC_EDIT_USER_NAME, " 张三 ");
        PressKey(pDialog, IDC_EDIT_USER_NAME, Qt::Key_Return);
    });
    script.OnWindow(AddDeviceTitle(), [](QWidget* pDialog) {
        EXPECT_EQ(BoxItems(pDialog, IDC_COMBO_ADDDEV_USER), QStringList({"张三"}));
        EXPECT_EQ(BoxSelection(pDialog, IDC_COMBO_ADDDEV_USER), 0);
    });
    AddUserInDialog(script, "李|四");
    script.OnWindow(AddDeviceTitle(), [](QWidget* pDialog) {
        EXPECT_EQ(BoxItems(pDialog, IDC_COMBO_ADDDEV_USER), QStringList({"张三", "李|四"}));
        EXPECT_EQ(BoxSelection(pDialog, IDC_COMBO_ADDDEV_USER), 1);
        FillGoodFields(pDialog);
        Click(pDialog, IDOK);
    });

    EXPECT_EQ(RunScripted(script, dlg), IDOK);
    EXPECT_TRUE(script.Boxes().isEmpty());
    ASSERT_EQ(dlg.m_arrUser.GetSize(), 2);
    EXPECT_EQ(dlg.m_arrUser[0], CString(L"张三"));
    EXPECT_EQ(dlg.m_arrUser[1], CString(L"李|四"));
    EXPECT_EQ(dlg.m_nUser, 1);
}

TEST(DlgAddDevTest, ADuplicateNameIsRefusedButOneDifferingInCaseIsAdded)
{
    CDlgAddDev dlg;
    GiveUsers(dlg, {L"Alice", L"Bob", L"Carol"}, 0);
    CModalScript script;
    AddUserInDialog(script, "  Bob\t");
    script.AnswerMessageBox(kOk);
    script.OnWindow(AddDeviceTitle(), [](QWidget* pDialog) {
        EXPECT_EQ(BoxItems(pDialog, IDC_COMBO_ADDDEV_USER), QStringList({"Alice", "Bob", "Carol"}));
        EXPECT_EQ(BoxSelection(pDialog, IDC_COMBO_ADDDEV_USER), 0);
    });
    AddUserInDialog(script, "bob");
    script.OnWindow(AddDeviceTitle(), [](QWidget* pDialog) {
        EXPECT_EQ(BoxItems(pDialog, IDC_COMBO_ADDDEV_USER), QStringList({"Alice", "Bob", "Carol", "bob"}));
        EXPECT_EQ(BoxSelection(pDialog, IDC_COMBO_ADDDEV_USER), 3);
        Click(pDialog, IDCANCEL);
    });

    EXPECT_EQ(RunScripted(script, dlg), IDCANCEL);
    EXPECT_EQ(script.Boxes(), QStringList({Box(L"用户名:Bob, 已经存在! 添加失败!")}));
}

TEST(DlgAddDevTest, BadUserNamesAreRefusedInTheAddUserDialog)
{
    CDlgAddDev dlg;
    GiveUsers(dlg, {L"甲"}, 0);
    CModalScript script;
    script.OnWindow(AddDeviceTitle(), [](QWidget* pDialog) { Click(pDialog, IDC_BTN_ADD_USER); });
    for (const char* bad : {" \t ", "a{b", "}"}) {
        script.OnWindow(AddUserTitle(), [bad](QWidget* pDialog) {
            TypeInto(pDialog, IDC_EDIT_USER_NAME, QString::fromUtf8(bad));
            Click(pDialog, IDOK);
        });
        script.AnswerMessageBox(kOk);
    }
    // The add-user dialog stays open after each refusal, and cancelling it adds nothing.
    script.OnWindow(AddUserTitle(), [](QWidget* pDialog) {
        EXPECT_EQ(EditText(pDialog, IDC_EDIT_USER_NAME), "}");
        pDialog->close();
    });
    script.OnWindow(AddDeviceTitle(), [](QWidget* pDialog) { Click(pDialog, IDC_BTN_ADD_USER); });
    script.OnWindow(AddUserTitle(), [](QWidget* pDialog) {
        TypeInto(pDialog, IDC_EDIT_USER_NAME, "乙");
        PressKey(pDialog, IDC_EDIT_USER_NAME, Qt::Key_Escape);
    });
    script.OnWindow(AddDeviceTitle(), [](QWidget* pDialog) {
        EXPECT_EQ(BoxItems(pDialog, IDC_COMBO_ADDDEV_USER), QStringList({"甲"}));
        EXPECT_EQ(BoxSelection(pDialog, IDC_COMBO_ADDDEV_USER), 0);
        pDialog->close();
    });

    EXPECT_EQ(RunScripted(script, dlg), IDCANCEL);
    EXPECT_EQ(script.Boxes(), QStringList({Box(kUserNameEmptyText), Box(kUserNameBraceText), Box(kUserNameBraceText)}));
    EXPECT_EQ(dlg.m_arrUser.GetSize(), 1);
}

// A name the account file cannot hold is refused after the brace check, and the add-user
// dialog stays open with it; a name of the code page's own is added.
TEST(DlgAddDevTest, UserNamesTheAccountFileCannotHoldAreRefused)
{
    CDlgAddDev dlg;
    GiveUsers(dlg, {L"甲"}, 0);
    CModalScript script;
    QStringList expected;
    script.OnWindow(AddDeviceTitle(), [](QWidget* pDialog) { Click(pDialog, IDC_BTN_ADD_USER); });
    for (const char* text : kUnsaveableTexts) {
        const QString name = QString::fromUtf8(text);
        script.OnWindow(AddUserTitle(), [name](QWidget* pDialog) {
            PasteInto(pDialog, IDC_EDIT_USER_NAME, name);
            Click(pDialog, IDOK);
        });
        script.AnswerMessageBox(kOk);
        script.OnWindow(AddUserTitle(),
                        [name](QWidget* pDialog) { EXPECT_EQ(EditText(pDialog, IDC_EDIT_USER_NAME), name); });
        expected << Box(kUserNameUnsaveableText);
    }
    script.OnWindow(AddUserTitle(), [](QWidget* pDialog) {
        PasteInto(pDialog, IDC_EDIT_USER_NAME, "{ß");
        Click(pDialog, IDOK);
    });
    script.AnswerMessageBox(kOk);
    expected << Box(kUserNameBraceText);
    script.OnWindow(AddUserTitle(), [](QWidget* pDialog) {
        PasteInto(pDialog, IDC_EDIT_USER_NAME, "张囧");
        Click(pDialog, IDOK);
    });
    script.OnWindow(AddDeviceTitle(), [](QWidget* pDialog) { Click(pDialog, IDCANCEL); });

    EXPECT_EQ(RunScripted(script, dlg), IDCANCEL);
    EXPECT_EQ(script.Boxes(), expected);
    ASSERT_EQ(dlg.m_arrUser.GetSize(), 2);
    EXPECT_EQ(dlg.m_arrUser[1], CString(L"张囧"));
}

} // namespace
