// The file dialogs' titles, modes and filters, and the files each filter lists in a real folder.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QSignalSpy>
#include <QTest>

#include "shell/QtFileDialogSetup.h"
#include "support/TempDir.h"

namespace pelliton {
namespace {

const QString kAllFiles = QStringLiteral("All Files (*.*)");
const QString kRshFiles = QStringLiteral("RSH Files (*.rsh)");
const QString kWtpFiles = QStringLiteral("WTP Files (*.wtp)");

TEST(OpenDialogSetup, AsksForAnyFileWithRshFilesPreselected) {
    QFileDialog dialog;
    SetUpOpenDialog(dialog);
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Open RSH File"));
    EXPECT_EQ(dialog.acceptMode(), QFileDialog::AcceptOpen);
    EXPECT_EQ(dialog.fileMode(), QFileDialog::AnyFile);
    EXPECT_TRUE(dialog.testOption(QFileDialog::DontUseNativeDialog));
    EXPECT_EQ(dialog.nameFilters(), (QStringList{kAllFiles, kRshFiles, kWtpFiles}));
    EXPECT_EQ(dialog.selectedNameFilter(), kRshFiles);
}

// Picks a filter with the arrow keys, the way a user does, so the dialog's own handling runs too.
void ChooseFilter(QComboBox& combo, const QString& label) {
    const int wanted = combo.findText(label);
    ASSERT_GE(wanted, 0) << label.toStdString();
    while (combo.currentIndex() != wanted) {
        QTest::keyClick(&combo, combo.currentIndex() < wanted ? Qt::Key_Down : Qt::Key_Up);
    }
}

QStringList ListedNames(const QFileSystemModel& model, const QString& folder) {
    const QModelIndex root = model.index(folder);
    QStringList names;
    for (int row = 0; row < model.rowCount(root); ++row) names << model.index(row, 0, root).data().toString();
    names.sort();
    return names;
}

struct Step {
    QString filter;
    QStringList listing;
};

// Shows the folder in the dialog, then picks each filter in turn and checks what is listed.
void ExpectListings(QFileDialog& dialog, const std::vector<const char*>& files, const std::vector<Step>& steps) {
    testing::TempDir temp;
    for (const char* name : files) temp.Write(name, {});
    const QString folder = QString::fromStdString(temp.path().string());

    auto* model = dialog.findChild<QFileSystemModel*>();
    auto* combo = dialog.findChild<QComboBox*>(QStringLiteral("fileTypeCombo"));
    ASSERT_NE(model, nullptr);
    ASSERT_NE(combo, nullptr);
    QSignalSpy loaded(model, &QFileSystemModel::directoryLoaded);
    dialog.setDirectory(folder);
    ASSERT_TRUE(QTest::qWaitFor([&] { return loaded.contains(QVariantList{folder}); }));

    for (const Step& step : steps) {
        SCOPED_TRACE(step.filter.toStdString());
        ChooseFilter(*combo, step.filter);
        EXPECT_TRUE(QTest::qWaitFor([&] { return ListedNames(*model, folder) == step.listing; }, 2000))
            << "listed: " << ListedNames(*model, folder).join(QStringLiteral(", ")).toStdString();
    }
}

TEST(OpenDialogSetup, FiltersListFilesAsWindowsDoes) {
    QFileDialog dialog;
    SetUpOpenDialog(dialog);
    const QStringList rshListing{QStringLiteral("B.RSH"), QStringLiteral("c.rsh")};
    const QStringList wtpListing{QStringLiteral("e.Wtp")};
    const QStringList fullListing{QStringLiteral("B.RSH"), QStringLiteral("a"), QStringLiteral("c.rsh"),
                                  QStringLiteral("d.txt"), QStringLiteral("e.Wtp")};
    // The first step is the preselected filter; the others switch back and forth.
    ExpectListings(dialog, {"a", "B.RSH", "c.rsh", "d.txt", "e.Wtp"},
                   {{kRshFiles, rshListing}, {kAllFiles, fullListing}, {kWtpFiles, wtpListing}, {kRshFiles, rshListing}});
}

TEST(PictureDialogSetup, ListsTheThreeKindsOfPictureInAnyCase) {
    QFileDialog dialog;
    SetUpPictureDialog(dialog);
    const QString pictures = QStringLiteral("Pictures (*.png;*.tga;*.dds)");
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Replace Texture"));
    EXPECT_EQ(dialog.acceptMode(), QFileDialog::AcceptOpen);
    EXPECT_EQ(dialog.fileMode(), QFileDialog::ExistingFile);
    EXPECT_EQ(dialog.nameFilters(), (QStringList{pictures, kAllFiles}));
    EXPECT_EQ(dialog.selectedNameFilter(), pictures);

    const QStringList pictureListing{QStringLiteral("a.PNG"), QStringLiteral("b.tga"), QStringLiteral("c.Dds")};
    ExpectListings(dialog, {"a.PNG", "b.tga", "c.Dds", "d.rsh"},
                   {{pictures, pictureListing},
                    {kAllFiles, pictureListing + QStringList{QStringLiteral("d.rsh")}},
                    {pictures, pictureListing}});
}

TEST(SaveAsDialogSetup, AsksForAFileToWriteWithRshFilesFirst) {
    QFileDialog dialog;
    SetUpSaveAsDialog(dialog);
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Save RSH File As"));
    EXPECT_EQ(dialog.acceptMode(), QFileDialog::AcceptSave);
    EXPECT_EQ(dialog.nameFilters(), (QStringList{kRshFiles, kAllFiles}));
    EXPECT_EQ(dialog.selectedNameFilter(), kRshFiles);
}

}  // namespace
}  // namespace pelliton
