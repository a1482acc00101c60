// The identity dialogs on the simulated camera: "About This Control",
// "User Id" and "Camera Id", their reads, their writes and what they refuse
// to write.
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QValidator>
#include <QWindow>

#include <gtest/gtest.h>

#include "camera_window_fixture.h"
#include "res/templates/resource_ids.h"
#include "ui/service/about_dialog.h"
#include "ui/service/camera_id_dialog.h"
#include "ui/service/user_id_dialog.h"

namespace cct {
namespace {

using test::Lines;

constexpr int kPartIds[] = {kIdcAboutDevVer1, kIdcAboutDevVer2, kIdcAboutDevVer3, kIdcAboutDevVer4};
constexpr int kCharIds[] = {kIdcCameraId1, kIdcCameraId2, kIdcCameraId3, kIdcCameraId4,
                            kIdcCameraId5, kIdcCameraId6, kIdcCameraId7, kIdcCameraId8,
                            kIdcCameraId9, kIdcCameraId10};

QString Text(const TemplateDialog& dialog, int id) {
  if (auto* edit = dialog.Item<QLineEdit>(id)) return edit->text();
  if (auto* label = dialog.Item<QLabel>(id)) return label->text();
  return QStringLiteral("(none)");
}

QStringList Parts(const CAboutDialog& about) {
  QStringList parts;
  for (int id : kPartIds) parts << Text(about, id);
  return parts;
}

// What the operator types: through the edit's validator, as textEdited.
void Type(TemplateDialog& dialog, int id, const QString& keys) {
  auto* edit = dialog.Item<QLineEdit>(id);
  ASSERT_NE(edit, nullptr);
  edit->selectAll();
  QTest::keyClicks(edit, keys);
}

class IdentityDialogsTest : public test::CameraWindowTest {
 protected:
  template <typename Dialog>
  std::unique_ptr<Dialog> Open() {
    auto dialog = std::make_unique<Dialog>(window->Context());
    EXPECT_TRUE(dialog->Create(window.get()));
    return dialog;
  }
  const test::ScriptedPrompter::Box& LastBox() const { return prompter.boxes.back(); }
};

TEST_F(IdentityDialogsTest, AboutShowsTheToolAndTheCameraData) {
  Start();
  Camera().SetValue("VN", "105");
  Camera().SetValue("PV", "1230");
  Camera().SetValue("UD", "LINE-7");
  Mark();
  auto about = Open<CAboutDialog>();
  EXPECT_EQ(Sent(), (Lines{"VN?", "MD?", "ID?", "PV?", "UD?", "DV?"}));
  EXPECT_EQ(Text(*about, kIdcAboutName), "QX-2080-RTN Control Tool");
  EXPECT_EQ(Text(*about, kIdcAboutVersion), "0.21");
  EXPECT_EQ(Text(*about, kIdcAboutFirmware), "1.05");
  EXPECT_EQ(Text(*about, kIdcAboutFpga), "12.30");
  EXPECT_EQ(Text(*about, kIdcAboutModel), "QX-2040L-RTN");
  EXPECT_EQ(Text(*about, kIdcAboutCameraId), "Q204012345");
  EXPECT_EQ(Text(*about, kIdcAboutUserId), "LINE-7");
  EXPECT_EQ(Parts(*about), (QStringList{"1", "2", "0", "5"}));
  // User mode: the user ID starts protected, the device version cannot be saved.
  EXPECT_TRUE(about->Item<QRadioButton>(kIdcAboutProtectUserId)->isChecked());
  EXPECT_FALSE(about->GetDlgItem(kIdcAboutUserId)->isEnabled());
  EXPECT_FALSE(about->GetDlgItem(kIdcAboutSaveUserId)->isEnabled());
  EXPECT_TRUE(about->GetDlgItem(kIdcAboutSaveDevVer)->isHidden());
  EXPECT_FALSE(about->GetDlgItem(kIdcAboutDevVer1)->isEnabled());
  EXPECT_FALSE(about->OnSaveDeviceVersion());

  // The user ID read back is written as the operator leaves it, only while editable.
  about->OnEnableUserIdEdit();
  EXPECT_TRUE(about->GetDlgItem(kIdcAboutSaveUserId)->isEnabled());
  Type(*about, kIdcAboutUserId, "LINE-8");
  Mark();
  EXPECT_TRUE(about->OnSaveUserId());
  EXPECT_EQ(Sent(), Lines{"UD=LINE-8"});
  EXPECT_EQ(LastBox().text, "Writing the User ID \"LINE-8\" has been completed.");
  about->OnProtectUserId();
  EXPECT_FALSE(about->GetDlgItem(kIdcAboutSaveUserId)->isEnabled());
  EXPECT_FALSE(about->OnSaveUserId());
  EXPECT_EQ(Sent().size(), 1u);
}

TEST_F(IdentityDialogsTest, AboutWithoutCameraKeepsEveryPlaceholderAndSavesNothing) {
  Start(kFactoryMode);
  Camera().MutableOptions().silent = true;
  Mark();
  auto about = Open<CAboutDialog>();
  EXPECT_EQ(Sent(), Lines{"VN?"});
  EXPECT_EQ(Text(*about, kIdcAboutFirmware), "?.??");
  EXPECT_EQ(Text(*about, kIdcAboutFpga), "?.??");
  EXPECT_EQ(Text(*about, kIdcAboutModel), "??????????");
  EXPECT_EQ(Text(*about, kIdcAboutCameraId), "??????????");
  EXPECT_EQ(Text(*about, kIdcAboutUserId), "????????????????");
  EXPECT_EQ(Parts(*about), QStringList(4, "?"));

  about->OnEnableUserIdEdit();
  EXPECT_FALSE(about->GetDlgItem(kIdcAboutSaveUserId)->isEnabled());
  EXPECT_FALSE(about->GetDlgItem(kIdcAboutSaveDevVer)->isHidden());
  EXPECT_FALSE(about->GetDlgItem(kIdcAboutSaveDevVer)->isEnabled());
  EXPECT_FALSE(about->OnSaveUserId());
  EXPECT_FALSE(about->OnSaveDeviceVersion());
  EXPECT_EQ(Sent(), Lines{"VN?"});
  EXPECT_TRUE(prompter.boxes.empty());

  // What the operator types is theirs to save; a device version needs all four parts.
  Type(*about, kIdcAboutUserId, "NEW");
  EXPECT_TRUE(about->GetDlgItem(kIdcAboutSaveUserId)->isEnabled());
  for (int i = 0; i < 3; ++i) Type(*about, kPartIds[i], "7");
  EXPECT_FALSE(about->GetDlgItem(kIdcAboutSaveDevVer)->isEnabled());
  Type(*about, kPartIds[3], "8");
  EXPECT_TRUE(about->GetDlgItem(kIdcAboutSaveDevVer)->isEnabled());
  EXPECT_EQ(about->DeviceVersionText(), "7.7.7.8");
}

TEST_F(IdentityDialogsTest, DeviceVersionSavesBackAsShownInFactoryMode) {
  Start(kFactoryMode);
  Camera().SetValue("DV", "10.20.30.40");
  auto about = Open<CAboutDialog>();
  EXPECT_EQ(Parts(*about), (QStringList{"10", "20", "30", "40"}));
  EXPECT_TRUE(about->GetDlgItem(kIdcAboutDevVer4)->isEnabled());
  EXPECT_TRUE(about->GetDlgItem(kIdcAboutSaveDevVer)->isEnabled());
  Mark();
  EXPECT_TRUE(about->OnSaveDeviceVersion());
  EXPECT_EQ(Sent(), Lines{"DV00=10.20.30.40"});
  EXPECT_EQ(CameraValue("DV"), "10.20.30.40");
  EXPECT_EQ(LastBox().text, "Writing the Device Version has been completed.");
  EXPECT_EQ(LastBox().icon, MsgIcon::Information);

  Camera().MutableOptions().refused = {"DV00"};
  EXPECT_FALSE(about->OnSaveDeviceVersion());
  EXPECT_EQ(LastBox().text, "Couldn't write the Device Version.");
  EXPECT_EQ(LastBox().icon, MsgIcon::Error);
}

TEST_F(IdentityDialogsTest, DeviceVersionOfAnotherFormLeavesQuestionMarks) {
  Start(kFactoryMode);
  for (const char* answer : {"1.2.3", "1.2.3.4.5"}) {
    SCOPED_TRACE(answer);
    Camera().SetValue("DV", answer);
    auto about = Open<CAboutDialog>();
    EXPECT_EQ(Parts(*about), QStringList(4, "?"));
    EXPECT_FALSE(about->GetDlgItem(kIdcAboutSaveDevVer)->isEnabled());
    Mark();
    EXPECT_FALSE(about->OnSaveDeviceVersion());
    EXPECT_TRUE(Sent().empty());
  }
}

TEST_F(IdentityDialogsTest, UserIdOfSixteenCharactersIsWrittenSeventeenRefused) {
  Start(kFactoryMode);
  Camera().SetValue("UD", "OLD");
  auto dialog = Open<CUserIdDialog>();
  EXPECT_EQ(Text(*dialog, kIdcUserIdEdit), "OLD");
  EXPECT_TRUE(dialog->GetDlgItem(kIdcUserIdSave)->isEnabled());

  Type(*dialog, kIdcUserIdEdit, "ABCDEFGHIJKLMNOP");
  Mark();
  EXPECT_TRUE(dialog->OnSave());
  EXPECT_EQ(Sent(), Lines{"UD=ABCDEFGHIJKLMNOP"});
  EXPECT_EQ(CameraValue("UD"), "ABCDEFGHIJKLMNOP");
  EXPECT_EQ(LastBox().text, "Writing the User ID \"ABCDEFGHIJKLMNOP\" has been completed.");

  dialog->Item<QLineEdit>(kIdcUserIdEdit)->insert("Q");  // pasted onto the end
  Mark();
  EXPECT_FALSE(dialog->OnSave());
  EXPECT_TRUE(Sent().empty());
  EXPECT_EQ(LastBox().text, "User ID string is too long !!");
  EXPECT_EQ(LastBox().icon, MsgIcon::Error);

  Camera().MutableOptions().refused = {"UD"};
  Type(*dialog, kIdcUserIdEdit, "X");
  EXPECT_FALSE(dialog->OnSave());
  EXPECT_EQ(LastBox().text, "Couldn't write the User ID.");

  // Without an answer the placeholder is never written back.
  Camera().MutableOptions().silent = true;
  auto unread = Open<CUserIdDialog>();
  EXPECT_EQ(Text(*unread, kIdcUserIdEdit), "????????????????");
  EXPECT_FALSE(unread->GetDlgItem(kIdcUserIdSave)->isEnabled());
  EXPECT_FALSE(unread->OnSave());
}

TEST_F(IdentityDialogsTest, IdentityEditsRefuseWhatWouldNotReadBack) {
  Start(kFactoryMode);
  auto about = Open<CAboutDialog>();
  auto user = Open<CUserIdDialog>();
  auto camera = Open<CCameraIdDialog>();
  about->OnEnableUserIdEdit();
  for (QLineEdit* edit :
       {about->Item<QLineEdit>(kIdcAboutUserId), user->Item<QLineEdit>(kIdcUserIdEdit),
        camera->Item<QLineEdit>(kIdcCameraId1), about->Item<QLineEdit>(kIdcAboutDevVer1)}) {
    ASSERT_NE(edit->validator(), nullptr);
    for (const char* bad : {"A B", "A,B", "A\rB", "A\nB", "A\tB", "A\x7f"}) {
      QString text = QString::fromLatin1(bad);
      int position = 0;
      EXPECT_EQ(edit->validator()->validate(text, position), QValidator::Invalid) << bad;
    }
    QString fine = QStringLiteral("7");
    int position = 0;
    EXPECT_EQ(edit->validator()->validate(fine, position), QValidator::Acceptable);
  }
  // Typing skips the characters; a paste holding one is refused whole.
  Type(*user, kIdcUserIdEdit, "A B,C");
  EXPECT_EQ(Text(*user, kIdcUserIdEdit), "ABC");
  user->Item<QLineEdit>(kIdcUserIdEdit)->insert("D E");
  EXPECT_EQ(Text(*user, kIdcUserIdEdit), "ABC");
  // The parts are joined with dots, so a part holds none.
  Type(*about, kIdcAboutDevVer1, "1.2");
  EXPECT_EQ(Text(*about, kIdcAboutDevVer1), "12");
}

TEST_F(IdentityDialogsTest, CameraIdFillsItsEditsAndSavesAfterTheUnlock) {
  Start(kFactoryMode);
  Camera().SetValue("ID", "AB12CD34");
  auto dialog = Open<CCameraIdDialog>();
  QString shown;
  for (int id : kCharIds) shown += Text(*dialog, id) + QLatin1Char('|');
  EXPECT_EQ(shown, "A|B|1|2|C|D|3|4|||");
  EXPECT_TRUE(dialog->GetDlgItem(kIdcCameraIdSave)->isEnabled());
  Mark();
  EXPECT_TRUE(dialog->OnSave());
  EXPECT_EQ(Sent(), (Lines{"ULCK=5170392", "ID00=AB12CD34"}));
  EXPECT_EQ(CameraValue("ID"), "AB12CD34");
  EXPECT_EQ(LastBox().text, "Completed saving camera id: AB12CD34.");

  // A refused unlock stops before the ID.
  Camera().MutableOptions().refused = {"ULCK"};
  Mark();
  EXPECT_FALSE(dialog->OnSave());
  EXPECT_EQ(Sent(), Lines{"ULCK=5170392"});
  EXPECT_EQ(LastBox().text, "Couldn't save camera id.");

  // An empty ID goes nowhere, not even the unlock.
  Camera().MutableOptions().refused.clear();
  for (int id : kCharIds) dialog->Item<QLineEdit>(id)->clear();
  Mark();
  EXPECT_FALSE(dialog->OnSave());
  EXPECT_TRUE(Sent().empty());
  EXPECT_EQ(LastBox().text, "Couldn't save the camera id.");
  EXPECT_EQ(LastBox().icon, MsgIcon::Error);
}

TEST_F(IdentityDialogsTest, CameraIdSavesOnlyInFactoryModeAndOnlyWhatWasRead) {
  Start();
  auto user = Open<CCameraIdDialog>();
  EXPECT_TRUE(user->GetDlgItem(kIdcCameraIdSave)->isHidden());
  Mark();
  EXPECT_FALSE(user->OnSave());
  EXPECT_TRUE(Sent().empty());

  controlMode.SetControlMode(kFactoryMode);
  Camera().MutableOptions().silent = true;
  auto unread = Open<CCameraIdDialog>();
  EXPECT_EQ(unread->CameraIdText(), "");
  EXPECT_FALSE(unread->GetDlgItem(kIdcCameraIdSave)->isEnabled());
  Type(*unread, kIdcCameraId1, "Z9");  // one character per edit
  EXPECT_EQ(unread->CameraIdText(), "Z");
  EXPECT_TRUE(unread->GetDlgItem(kIdcCameraIdSave)->isEnabled());
}

TEST_F(IdentityDialogsTest, HelpListOpensTheWorkingFoldersPdfDocuments) {
  Start();
  QTemporaryDir folder;
  ASSERT_TRUE(folder.isValid());
  for (const char* name : {"b.pdf", "a.pdf", "notes.txt"}) {
    QFile file(folder.filePath(QString::fromLatin1(name)));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  }
  ASSERT_TRUE(QDir(folder.path()).mkdir("empty"));
  const QString previous = QDir::currentPath();
  struct Restore {
    QString path;
    ~Restore() { QDir::setCurrent(path); }
  } restore{previous};

  ASSERT_TRUE(QDir::setCurrent(folder.path()));
  auto about = Open<CAboutDialog>();
  auto* list = about->Item<QComboBox>(kIdcAboutHelpList);
  ASSERT_EQ(list->count(), 2);
  EXPECT_EQ(list->itemText(0), "a.pdf");
  EXPECT_EQ(list->currentIndex(), 0);
  EXPECT_TRUE(about->OnViewHelpFile());
  ASSERT_EQ(prompter.openedDocuments.size(), 1u);
  EXPECT_EQ(prompter.openedDocuments[0], QDir(folder.path()).filePath("a.pdf"));

  ASSERT_TRUE(QDir::setCurrent(folder.filePath("empty")));
  auto none = Open<CAboutDialog>();
  EXPECT_EQ(none->Item<QComboBox>(kIdcAboutHelpList)->count(), 0);
  EXPECT_FALSE(none->OnViewHelpFile());
  EXPECT_EQ(LastBox().text, "No file was selected !!");
  EXPECT_EQ(LastBox().icon, MsgIcon::Error);
  EXPECT_EQ(prompter.openedDocuments.size(), 1u);
}

TEST_F(IdentityDialogsTest, MainWindowRunsEachDialogModallyAsItsOwner) {
  Start(kFactoryMode);
  QStringList seen;
  auto closeModal = [&] {
    auto* dialog = qobject_cast<CStatusDialog*>(QApplication::activeModalWidget());
    ASSERT_NE(dialog, nullptr);
    seen << dialog->windowTitle();
    ASSERT_NE(dialog->windowHandle(), nullptr);
    EXPECT_EQ(dialog->windowHandle()->transientParent(), window->windowHandle());
    dialog->reject();
  };
  QTimer::singleShot(0, closeModal);
  window->About();
  QTimer::singleShot(0, closeModal);
  window->EditUserId();
  QTimer::singleShot(0, closeModal);
  window->EditCameraId();
  EXPECT_EQ(seen, (QStringList{"About This Control", "User Id", "Camera Id"}));
}

// Controls keep to their own rectangles and their texts fit them.
TEST_F(IdentityDialogsTest, TemplatesLayControlsOutWithoutOverlap) {
  Start(kFactoryMode);
  auto about = Open<CAboutDialog>();
  auto user = Open<CUserIdDialog>();
  auto camera = Open<CCameraIdDialog>();
  for (const TemplateDialog* dialog :
       std::initializer_list<const TemplateDialog*>{about.get(), user.get(), camera.get()}) {
    SCOPED_TRACE(dialog->windowTitle().toStdString());
    const QRect client = dialog->Client()->rect();
    std::vector<QWidget*> controls;
    for (QWidget* child : dialog->Client()->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
      EXPECT_TRUE(client.contains(child->geometry())) << child->metaObject()->className();
      if (auto* label = qobject_cast<QLabel*>(child)) {
        EXPECT_LE(label->sizeHint().width(), label->width()) << label->text().toStdString();
      } else if (auto* radio = qobject_cast<QRadioButton*>(child)) {
        EXPECT_LE(radio->sizeHint().width(), radio->width()) << radio->text().toStdString();
      } else if (auto* button = qobject_cast<QPushButton*>(child)) {
        // A push button's own size hint has a floor far above short captions.
        const QStyle* style = button->style();
        const int frame = 2 * (style->pixelMetric(QStyle::PM_ButtonMargin) +
                               style->pixelMetric(QStyle::PM_DefaultFrameWidth));
        EXPECT_LE(button->fontMetrics().horizontalAdvance(button->text()) + frame, button->width())
            << button->text().toStdString();
      }
      controls.push_back(child);
    }
    for (size_t i = 0; i < controls.size(); ++i) {
      for (size_t j = i + 1; j < controls.size(); ++j) {
        const QRect a = controls[i]->geometry();
        const QRect b = controls[j]->geometry();
        if (!a.intersects(b)) continue;
        // Only a group box may share its room, with what lies wholly inside it.
        const bool grouped = (qobject_cast<QGroupBox*>(controls[i]) && a.contains(b)) ||
                             (qobject_cast<QGroupBox*>(controls[j]) && b.contains(a));
        EXPECT_TRUE(grouped) << controls[i]->metaObject()->className() << " at " << a.x() << ","
                             << a.y() << " and " << controls[j]->metaObject()->className() << " at "
                             << b.x() << "," << b.y();
      }
    }
  }
}

}  // namespace
}  // namespace cct
