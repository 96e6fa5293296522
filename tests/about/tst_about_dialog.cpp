#include "about/about_dialog.h"
#include "app/form1.h"
#include "../app/window_fixture.h"

#include <QAction>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <memory>

using namespace velmora;

class TestAboutDialog : public QObject {
    Q_OBJECT

private slots:
    void showsTitleVersionRulesAndItsControls()
    {
        frmAbout about;
        QCOMPARE(about.windowTitle(), QStringLiteral("About Velmora"));
        QCOMPARE(about.lblTitle->text(), QStringLiteral("Velmora"));
        QCOMPARE(about.lblVersion->text(), QStringLiteral("Version 1.0.0"));
        QCOMPARE(about.lblDescription->text().size(), 263);
        QVERIFY(about.lblDescription->text().startsWith(QStringLiteral("Trebuie mutate discurile")));
        QVERIFY(about.lblDescription->wordWrap());
        QCOMPARE(about.lblDisclaimer->text(), QStringLiteral("Succes!......"));
        QCOMPARE(about.cmdOK->text(), QStringLiteral("OK"));
        QCOMPARE(about.cmdSysInfo->text(), QStringLiteral("&System Info..."));
        QCOMPARE(about.size(), QSize(568, 340));
        QCOMPARE(about.cmdOK->geometry(), QRect(448, 272, 84, 23));
        QCOMPARE(about.cmdSysInfo->geometry(), QRect(448, 312, 83, 23));
        QCOMPARE(about.lblDescription->geometry(), QRect(8, 104, 531, 134));
        QCOMPARE(about.lblTitle->geometry(), QRect(70, 16, 259, 32));
        QCOMPARE(about.picIcon->geometry(), QRect(16, 16, 36, 36));
        QCOMPARE(about.lblTitle->font().pointSizeF(), 13.5);
        QVERIFY(about.cmdOK->isDefault());
        QVERIFY(!(about.windowFlags() & Qt::WindowMinimizeButtonHint));
        QVERIFY(!(about.windowFlags() & Qt::WindowMaximizeButtonHint));
        QVERIFY(!about.isModal());
        const QImage icon = about.picIcon->pixmap().toImage();
        QCOMPARE(icon.size(), QSize(32, 32));
        QCOMPARE(qAlpha(icon.pixel(31, 0)), 0);  // masked corner
    }

    void enterPressesTheFocusedButtonEscCloses()
    {
        auto about = new frmAbout();
        QPointer<frmAbout> alive(about);
        int messages = 0;
        about->setMessageBox([&messages](const QString& prompt) {
            QCOMPARE(prompt, QStringLiteral("System Information Is Unavailable At This Time"));
            ++messages;
        });
        about->show();
        QVERIFY(QTest::qWaitForWindowExposed(about));
        about->cmdSysInfo->setFocus();
        QTest::keyClick(about, Qt::Key_Return);
        QCOMPARE(messages, 1);  // no registry here: the message, and the dialog stays
        QVERIFY(alive && about->isVisible());
        QTest::keyClick(about, Qt::Key_Escape);
        QTRY_VERIFY(!alive);  // unloaded
    }

    void despreShowsOneDialogLoadedAfreshAfterClosing()
    {
        const auto game = shownWindow();
        QVERIFY(game);
        game->mAbout->trigger();
        frmAbout* first = game->aboutDialog();
        QVERIFY(first && first->isVisible());
        first->lblTitle->setText(QStringLiteral("changed"));
        game->mAbout->trigger();
        QCOMPARE(game->aboutDialog(), first);  // the same instance, not a second dialog
        QCOMPARE(first->lblTitle->text(), QStringLiteral("changed"));

        first->cmdOK->click();
        QTRY_VERIFY(!game->aboutDialog());
        game->mAbout->trigger();
        QVERIFY(game->aboutDialog());
        QCOMPARE(game->aboutDialog()->lblTitle->text(), QStringLiteral("Velmora"));  // loaded afresh
        QVERIFY(!game->aboutDialog()->parentWidget());  // no owner
    }

    void theGameGoesOnWhileTheDialogIsOpen()
    {
        const auto game = shownWindow();
        QVERIFY(game);
        game->mStart->trigger();
        game->Timer1->setInterval(10);
        game->Timer1->start();
        game->mAbout->trigger();
        QVERIFY(game->aboutDialog()->isVisible());
        QTRY_VERIFY(game->state().ElapsedSeconds > 3);
        QVERIFY(game->aboutDialog()->isVisible());
    }
};

QTEST_MAIN(TestAboutDialog)
#include "tst_about_dialog.moc"
