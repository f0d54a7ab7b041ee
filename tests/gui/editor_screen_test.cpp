#include "gui/SampleWindow.h"

#include <QGroupBox>

namespace tv::app {
namespace {

// The record editor of the administration screen on a copy of the sample,
// driven as a member of the maker's staff drives it.
class EditorTest : public SampleWindowTest {
protected:
    void openAdministration() {
        start();
        typePassCode();
    }

    void typePassCode() {
        press("cmdStartscreen2");
        QTest::keyClicks(control<QLineEdit>("txtCode"), "KelmorAdm");
    }

    // Lists the connections and opens the record with the key.
    void openRecord(const char* key) {
        press("cmdData4");
        pressEntry("lstRecords", Q(Cp(key)));
        ASSERT_TRUE(editorShown()) << key;
    }

    QLineEdit* box(int k) { return control<QLineEdit>(("txtEdit" + std::to_string(k)).c_str()); }
    bool saveEnabled() { return control<QPushButton>("cmdEditSave")->isEnabled(); }
    bool editorShown() { return control<QWidget>("frmEditor")->isVisible(); }
    std::string articleBytes() { return test::ReadBytes(dataDir() / "Vantordata.dat"); }

    // What the user does: the old text selected and typed over.
    static void retype(QLineEdit* edit, const QString& text) {
        edit->setFocus();
        edit->selectAll();
        QTest::keyClicks(edit, text);
    }

    // The backup's contents, whatever the letter case of its name.
    std::optional<std::string> backup() {
        for (const auto& entry : std::filesystem::directory_iterator(dataDir()))
            if (QString::fromStdString(entry.path().filename().string()).toLower() ==
                "vantordata.bak")
                return test::ReadBytes(entry.path());
        return std::nullopt;
    }
};

TEST_F(EditorTest, AListedRecordIsSavedWithABackupAndShowsInTheNextResult) {
    system_.ppi = 144; // laid out at one and a half times the usual scale
    startNewRun();
    typePassCode();
    const std::string before = articleBytes();
    press("cmdData4");
    const int listed = control<QListWidget>("lstRecords")->count();
    EXPECT_GT(listed, 10);
    EXPECT_EQ(control<QLabel>("lblRecordStatus")->text(), QString("Fant %1 records").arg(listed));
    EXPECT_EQ(FirstLine(dataDir() / "S_TK.txt").substr(0, 7), " KeyTag");

    openRecord("¤0150_FLENS_DN150_TK");
    const auto& session = window_->session();
    EXPECT_EQ(control<QWidget>("frmEditor")->geometry(), session.px({4400, 200, 9350, 4300}));
    EXPECT_EQ(box(4)->geometry(), session.px({800, 6150, 2900, 375}));
    EXPECT_EQ(control<QLabel>("lblEdit4")->text(), "Beskrivelse");
    EXPECT_EQ(control<QLabel>("lblEditKey")->text(), "Innhold i record ");
    EXPECT_EQ(control<QLineEdit>("txtEditKey")->text(), Q(Cp("¤0150_FLENS_DN150_TK")));
    EXPECT_FALSE(control<QLineEdit>("txtEditKey")->isEnabled());
    EXPECT_EQ(box(4)->text(), "Flens DN 150 for ventil DN 150 (lik dimensjon)");
    EXPECT_EQ(box(6)->text(), "1060,-");
    EXPECT_EQ(box(3)->text(), "200 mm") << "field 6";
    EXPECT_FALSE(saveEnabled()) << "nothing changed yet";

    retype(box(6), "1125,-");
    EXPECT_TRUE(saveEnabled());
    retype(box(4), Q(Cp("Flens DN 150 prøvet")));
    QTest::keyClick(box(4), Qt::Key_Return); // Enter saves
    EXPECT_FALSE(editorShown());
    EXPECT_TRUE(messages_.shown.empty()) << messages_.shown.front();
    EXPECT_EQ(control<QLabel>("lblAdminStatus")->text(),
              "Lagret: " + Q(Cp("¤0150_FLENS_DN150_TK")));
    const std::string after = articleBytes();
    EXPECT_NE(after.find(Cp("\r\nKT150-FC\r\nFlens DN 150 prøvet\r\n")), std::string::npos);
    EXPECT_NE(after.find("\r\nKEL_TK150_FC\r\n17.5 kg\r\n1125,-\r\n"), std::string::npos);
    EXPECT_EQ(backup(), before);

    window_.reset(); // a new run: the single valve with this flange at both ends
    startNewRun();
    press("cmdStartscreen2");
    control<QLineEdit>("txtCode")->setText("EBXCFCXXFCXX-V18");
    press("cmdNext");
    EXPECT_TRUE(control<QLabel>("lblInfo_01_01")->text().contains(Q(Cp("Flens DN 150 prøvet"))));
}

TEST_F(EditorTest, ANewRecordIsSavedOnlyWithAValidKeyAndIsListedNext) {
    openAdministration();
    press("cmdData4");
    const int listed = control<QListWidget>("lstRecords")->count();
    press("cmdData5");
    EXPECT_EQ(control<QLabel>("lblRecordStatus")->text(), "");
    EXPECT_EQ(control<QListWidget>("lstRecords")->count(), 0);
    EXPECT_EQ(control<QLabel>("lblEditKey")->text(), "Ny record ");
    auto* key = control<QLineEdit>("txtEditKey");
    EXPECT_TRUE(key->isEnabled() && key->hasFocus());
    EXPECT_EQ(key->text(), "_TK");
    EXPECT_EQ(key->palette().color(QPalette::Text), QColor(Qt::red)) << "the kind is no key";
    const char* defaults[] = {"", "", "0.0 m", "", "0.0 kg", "", "", "UNUSED", "UNUSED", "UNUSED"};
    for (int k = 1; k <= 10; ++k)
        EXPECT_EQ(box(k)->text(), defaults[k - 1]) << "box " << k;

    retype(key, Q(Cp("¤1_TK")));
    EXPECT_EQ(key->palette().color(QPalette::Text), QColor(Qt::red)) << "too short";
    EXPECT_FALSE(saveEnabled());
    retype(box(6), "100,-");
    EXPECT_FALSE(saveEnabled()) << "no saving under a red key, whatever else changed";
    retype(key, Q(Cp("¤0150_FLENS_NYTEST_TK")));
    EXPECT_EQ(key->palette().color(QPalette::Text), QColor(Qt::black));
    EXPECT_TRUE(saveEnabled());

    QStringList order; // Tab walks the boxes in number order, then save, then cancel
    for (int step = 0; step < 12; ++step) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        order << QApplication::focusWidget()->objectName();
    }
    EXPECT_EQ(order.join(' '), "txtEdit1 txtEdit2 txtEdit3 txtEdit4 txtEdit5 txtEdit6 txtEdit7 "
                               "txtEdit8 txtEdit9 txtEdit10 cmdEditSave cmdEditCancel");

    retype(box(1), "KT150-NY");
    press("cmdEditSave");
    EXPECT_FALSE(editorShown());
    EXPECT_TRUE(messages_.shown.empty()) << messages_.shown.front();
    EXPECT_NE(articleBytes().find(Cp("\r\n¤0150_FLENS_NYTEST_TK * All keys are assumed to end "
                                     "with a SPACE\r\n0150_FLENS_NYTEST_TK\r\nKT150-NY\r\n")),
              std::string::npos);
    press("cmdData4");
    EXPECT_EQ(control<QListWidget>("lstRecords")->count(), listed + 1);
    pressEntry("lstRecords", Q(Cp("¤0150_FLENS_NYTEST_TK")));
    EXPECT_EQ(box(1)->text(), "KT150-NY");
}

TEST_F(EditorTest, CancelEscapeAndTheBackgroundCloseOnlyAnUnchangedRecordStaysUnwritten) {
    openAdministration();
    const std::string before = articleBytes();
    // Only the left button chooses an entry, so a following Enter opens the
    // entry that was current.
    press("cmdData4");
    pressRow("lstRecords", 3, Qt::RightButton);
    EXPECT_EQ(control<QListWidget>("lstRecords")->currentRow(), 0);
    EXPECT_FALSE(editorShown());
    QTest::keyClick(control<QWidget>("lstRecords"), Qt::Key_Return);
    EXPECT_EQ(control<QLineEdit>("txtEditKey")->text(),
              control<QListWidget>("lstRecords")->item(0)->text());
    press("cmdEditCancel");
    openRecord("¤0150_FLENS_DN150_TK");
    QTest::keyClick(box(2), Qt::Key_Escape);
    EXPECT_FALSE(editorShown()) << "Escape cancels";
    auto* list = control<QListWidget>("lstRecords");
    EXPECT_TRUE(list->hasFocus()) << "the keyboard goes back to the list";

    // A double click through the window: its second half lands on the
    // frame that the first opened over the list, and leaves it open.
    const auto entry = list->findItems(Q(Cp("¤0150_FLENS_DN150_TK")), Qt::MatchExactly);
    ASSERT_EQ(entry.size(), 1);
    list->scrollToItem(entry[0]);
    QTest::mouseDClick(
        window_->windowHandle(), Qt::LeftButton, Qt::NoModifier,
        list->viewport()->mapTo(window_.get(), list->visualItemRect(entry[0]).center()));
    EXPECT_TRUE(editorShown());
    press("frmEditor", Qt::RightButton);
    EXPECT_TRUE(editorShown()) << "only the left button closes";
    press("frmEditor");
    EXPECT_FALSE(editorShown()) << "nothing was modified";

    openRecord("¤0150_FLENS_DN150_TK");
    retype(box(9), "Endret"); // boxes 7 to 10 count as a change too
    EXPECT_TRUE(saveEnabled());
    press("frmEditor");
    EXPECT_TRUE(editorShown()) << "a modified record is not closed by a stray press";
    messages_.setNextAnswer(false);
    QTest::keyClick(box(9), Qt::Key_Escape);
    EXPECT_TRUE(editorShown()) << "Escape asks before it throws changes away";
    ASSERT_EQ(messages_.shown.size(), 1u);
    messages_.shown.clear();
    press("cmdEditCancel");
    EXPECT_FALSE(editorShown());
    EXPECT_EQ(articleBytes(), before);
    EXPECT_FALSE(backup());
    EXPECT_TRUE(messages_.shown.empty());
}

TEST_F(EditorTest, ABadValueAGoneRecordAndAMissingSectionAreSaidAndWriteNothing) {
    openAdministration();
    const std::string before = articleBytes();
    openRecord("¤0150_FLENS_DN150_TK");
    retype(box(2), "*kommentar");
    press("cmdEditSave");
    ASSERT_EQ(messages_.shown.size(), 1u);
    EXPECT_TRUE(messages_.shown[0].starts_with("Tilleggstekst: ")) << messages_.shown[0];
    EXPECT_NE(messages_.shown[0].find("\"*\""), std::string::npos) << messages_.shown[0];
    EXPECT_TRUE(editorShown() && box(2)->hasFocus()) << "to be put right";
    EXPECT_EQ(articleBytes(), before);
    box(2)->clear();
    QKeyEvent letter(QEvent::KeyPress, 0, Qt::NoModifier, QString::fromUtf8("\xE4\xB8\xAD"));
    QApplication::sendEvent(box(4), &letter); // a letter no Windows-1252 byte holds
    press("cmdEditSave");
    ASSERT_EQ(messages_.shown.size(), 2u);
    EXPECT_NE(messages_.shown[1].find("cannot hold"), std::string::npos) << messages_.shown[1];
    EXPECT_EQ(articleBytes(), before) << "never stored as \"?\"";
    messages_.shown.pop_back();
    EXPECT_FALSE(backup());

    // The record leaves the file while it is listed.
    press("cmdEditCancel");
    std::string renamed = before;
    renamed.replace(renamed.find(Cp("¤0150_FLENS_DN150_TK ")), 21, Cp("¤0150_FLENS_DN150_XX "));
    test::WriteBytes(dataDir() / "Vantordata.dat", renamed);
    pressEntry("lstRecords", Q(Cp("¤0150_FLENS_DN150_TK")));
    EXPECT_FALSE(editorShown());
    ASSERT_EQ(messages_.shown.size(), 2u);
    EXPECT_EQ(messages_.shown[1], Cp("¤0150_FLENS_DN150_TK NOT FOUND"));

    std::string parameters = test::ReadBytes(dataDir() / "Tessaro.dat");
    parameters.replace(parameters.find(Cp("¤EDITSCREEN\r\n")), 11, Cp("¤EDITSCREEN_OLD"));
    test::WriteBytes(dataDir() / "Tessaro.dat", parameters);
    press("cmdData5");
    EXPECT_FALSE(editorShown());
    ASSERT_EQ(messages_.shown.size(), 3u);
    EXPECT_EQ(messages_.shown[2], "EDIT screen layout not found in Tessaro.dat - report aborted");
}

// The open editor hides what stands behind it: the same pixels with the
// record list and the data buttons behind it as without them.
TEST_F(EditorTest, TheOpenEditorIsOpaque) {
    openAdministration();
    openRecord("¤0080_FLENS_DN080_TK");
    auto* editor = control<QWidget>("frmEditor");
    auto* page = editor->parentWidget();
    const QRect place = editor->geometry();
    auto grab = [&] {
        if (QWidget* focused = QApplication::focusWidget())
            focused->clearFocus(); // no blinking cursor
        return page->grab(place).toImage();
    };
    const QImage over = grab();
    for (const char* name : {"lstRecords", "lblRecordStatus", "cmdData1", "cmdData4"})
        control<QWidget>(name)->hide();
    EXPECT_TRUE(over == grab()) << "something behind the editor shows through";
}

} // namespace
} // namespace tv::app
