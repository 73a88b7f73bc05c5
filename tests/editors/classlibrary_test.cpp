// The class library file and its dialog.
#include <QDir>
#include <QFile>
#include <QPointer>
#include <QTemporaryDir>
#include <QTest>
#include <array>

#include "../support/pressing.h"
#include "bodyeditors_support.h"
#include "editors/createclass.h"
#include "editors/createobjects.h"
#include "engine/numtext.h"
#include "files/fileio.h"

namespace molvane {
namespace {

ObjectClassRecord Sample(const std::string& name) {
  ObjectClassRecord r;
  r.name = name;
  r.reference = "Sun, the star";
  r.colour = 9;
  r.mass = 0.055;
  r.size = 4879000;
  r.distanceMin = 4.6e10;
  r.distanceMax = 6.98e10;
  r.number = 12;
  return r;
}

TEST(ClassLibraryFile, RecordsSurviveTheRoundTrip) {
  const std::string text = ClassRecordText(Sample("Rocky, small")) + ClassRecordText(Sample("Giant"));
  EXPECT_EQ(text.substr(0, 16), "\"Rocky, small\"\r\n");
  const std::vector<ObjectClassRecord> read = ReadClassLibrary(text);
  ASSERT_EQ(read.size(), 2u);
  EXPECT_EQ(read[0], Sample("Rocky, small"));
  EXPECT_EQ(read[1], Sample("Giant"));
}

TEST(ClassLibraryFile, ReadsTheFirstThousandCompleteRecords) {
  std::string text;
  for (int k = 0; k < MaxClassRecords + 5; ++k) text += ClassRecordText(Sample("C" + std::to_string(k)));
  const auto read = ReadClassLibrary(text);
  ASSERT_EQ(read.size(), static_cast<size_t>(MaxClassRecords));
  EXPECT_EQ(read.back().name, "C999");
  // A record cut short at the end is dropped; text and numbers out of
  // range read 0.
  std::string cut = ClassRecordText(Sample("A")) + "B\r\nref\r\n3\r\n";
  EXPECT_EQ(ReadClassLibrary(cut).size(), 1u);
  EXPECT_TRUE(ReadClassLibrary("").empty());
  std::string junk = "N\nR\nx\n1e999\n\n\n\n\n\n\n\n";
  const auto j = ReadClassLibrary(junk);
  ASSERT_EQ(j.size(), 1u);
  EXPECT_EQ(j[0].colour, 0);
  EXPECT_EQ(j[0].mass, 0);
}

TEST(ClassLibraryFile, AppendingWritesTheWholeFileSafely) {
  QTemporaryDir dir;
  const std::string path = dir.path().toStdString() + "/sub/Library";
  ASSERT_TRUE(AppendClassRecord(path, Sample("One")));
  ASSERT_TRUE(AppendClassRecord(path, Sample("Two")));
  std::string bytes;
  ASSERT_EQ(ReadWholeFile(path, 1 << 20, bytes), ReadFileStatus::Ok);
  const auto read = ReadClassLibrary(bytes);
  ASSERT_EQ(read.size(), 2u);
  EXPECT_EQ(read[1].name, "Two");
  EXPECT_EQ(QDir(dir.path() + "/sub").entryList(QDir::Files).size(), 1);  // no temporary left
  // A folder that cannot be made: false, nothing written.
  QFile blocker(dir.path() + "/file");
  ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
  blocker.close();
  EXPECT_FALSE(AppendClassRecord(dir.path().toStdString() + "/file/Library", Sample("X")));
}

class ClassLibraryTest : public BodyEditorsFixture {};

TEST_F(ClassLibraryTest, TheDialogAppendsRecordsAndListsThemWhenItOpensAgain) {
  addBodies(2);
  editors->showClassLibrary();
  CreateObjectClass* d = editors->classLibrary();
  ASSERT_NE(d, nullptr);
  EXPECT_TRUE(state->createobjectclassloaded);
  EXPECT_EQ(d->Combo2->count(), 0);
  EXPECT_EQ(d->Combo3->currentText(), "15");
  d->Text9->setText("Moons");
  d->Combo2->setEditText("Body1");
  d->Combo3->setCurrentIndex(4);
  d->Text1->setText("0.01");
  d->massUnits[1]->setChecked(true);  // Jupiter masses: no conversion of the boxes
  EXPECT_EQ(d->Text1->text(), "0.01");
  d->Text10->setText("123456789");  // never written
  d->Text8->setText("3");
  d->Text2->setText("1");
  d->distanceUnits[2]->setChecked(true);
  d->Text3->setText("2");
  d->Text4->setText("5");
  ASSERT_TRUE(d->Apply_Click());
  EXPECT_TRUE(d->Text9->text().isEmpty());
  EXPECT_EQ(d->Combo3->currentText(), "15");
  d->OK_Click();  // empty name: nothing more written
  EXPECT_FALSE(state->createobjectclassloaded);
  settle();

  std::string bytes;
  ASSERT_EQ(ReadWholeFile(editors->libraryPath(), 1 << 20, bytes), ReadFileStatus::Ok);
  const auto read = ReadClassLibrary(bytes);
  ASSERT_EQ(read.size(), 1u);
  EXPECT_EQ(read[0].name, "Moons");
  EXPECT_EQ(read[0].reference, "Body1");
  EXPECT_EQ(read[0].colour, 4);
  EXPECT_DOUBLE_EQ(read[0].mass, 0.01 * JupiterEarthMasses);
  EXPECT_DOUBLE_EQ(read[0].size, 3000);
  EXPECT_DOUBLE_EQ(read[0].distanceMin, AstronomicalUnitMetres);
  EXPECT_DOUBLE_EQ(read[0].distanceMax, 2 * AstronomicalUnitMetres);
  EXPECT_DOUBLE_EQ(read[0].number, 5 * AstronomicalUnitMetres);
  EXPECT_EQ(bytes.find("123456789"), std::string::npos);

  editors->showClassLibrary();
  d = editors->classLibrary();
  ASSERT_EQ(d->Combo2->count(), 1);
  EXPECT_EQ(d->Combo2->itemText(0), "Moons");
  // A change to the bodies lists the body names instead.
  form->refreshObjectLists();
  EXPECT_EQ(d->Combo2->count(), 2);
}

// Each button pressed once in this order, with a class name typed on the
// dialog open at the time or a fresh one: what each alone changes.
// A name or reference outside Latin-1, typed into Create Objects or the
// class library: one message naming the box, no body and no record.
TEST_F(ClassLibraryTest, NamesTheFilesCannotKeepAreRefusedWhereBodiesAreMade) {
  addBodies(2);
  const struct {
    bool library;
    int box;  // the name, the reference
    const char* typed;
    const char* field;
  } rows[] = {{false, 0, "Земля月", "Name"},
              {false, 1, "地球 Γ €", "Reference object"},
              {true, 0, "Земля月", "Object Class Name"},
              {true, 1, "€", "Reference Object"}};
  for (const auto& r : rows) {
    SCOPED_TRACE(r.field);
    r.library ? editors->showClassLibrary() : editors->show(InstrumentWindow::CreateObjects, true);
    CreateObjectClass* c = editors->classLibrary();
    frmCreateMultipleObjects* m = editors->createObjects();
    if (r.library) c->Text9->setText("Moons");
    QWidget* d = r.library ? static_cast<QWidget*>(c) : m;
    QWidget* box = r.library ? std::array<QWidget*, 2>{c->Text9, c->Combo2}[r.box]
                             : std::array<QWidget*, 2>{m->Text18, m->Combo1}[r.box];
    TypeOver(box, QString::fromUtf8(r.typed));
    const size_t messages = dialogs.messages().size();
    Press(d, r.library ? "Apply" : "Command1");
    ExpectRefusal(dialogs.messages(), messages, r.field);
    EXPECT_EQ(state->objects, 2);
    EXPECT_FALSE(QFile::exists(QString::fromStdString(editors->libraryPath())));
    d->close();
    settle();
  }
}

TEST_F(ClassLibraryTest, EachButtonDoesItsOwnPart) {
  QPointer<CreateObjectClass> d;  // closed, it is deleted later
  const auto look = [&]() -> Look {
    std::string bytes;
    ReadWholeFile(editors->libraryPath(), 1 << 20, bytes);
    return Look({"open=" + Flag(d->isVisible()), "records=" + GeneralText(int64_t(ReadClassLibrary(bytes).size())),
                 "name=" + d->Text9->text().toStdString()});
  };
  const auto rows = PressRows({"Apply records=1 name=", "OK open=0 records=2 name=", "Cancel open=0"});
  ExpectEachPress(rows, look, [&](const PressRow&) {
    if (!d || !d->isVisible()) editors->showClassLibrary(), d = editors->classLibrary();
    d->Text9->setText("Moons");
    return d.data();
  });
}

}  // namespace
}  // namespace molvane
