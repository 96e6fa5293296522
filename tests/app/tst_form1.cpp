#include "app/board_view.h"
#include "app/form1.h"
#include "app/picture_box.h"

#include <QAction>
#include <QApplication>
#include <QEventLoop>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <memory>

using namespace velmora;

namespace {

std::unique_ptr<Form1> loadedWindow()
{
    auto window = std::make_unique<Form1>();
    if (!window->load())
        return nullptr;
    return window;
}

bool isWhite(QRgb pixel)
{
    return (pixel & 0xFFFFFFu) == 0xFFFFFFu;
}

} // namespace

class RecordingPlayer : public SoundPlayer {
public:
    std::vector<std::pair<std::string, std::uint32_t>>* played;
    explicit RecordingPlayer(std::vector<std::pair<std::string, std::uint32_t>>* into) : played(into) {}
    void play(const std::string& path, std::uint32_t flags) override { played->emplace_back(path, flags); }
};

class TestForm1 : public QObject {
    Q_OBJECT

private slots:
    void windowAsCreated()
    {
        const auto window = loadedWindow();
        QVERIFY(window);
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));

        QCOMPARE(window->windowTitle(), QStringLiteral("Form1"));
        QCOMPARE(window->boardView()->size(), QSize(1002, 628));
        QCOMPARE(window->boardView()->y(), window->menuBar()->height());
        QVERIFY(!window->Frame1->isVisible());
        QVERIFY(!window->Timer1->isActive());
        QCOMPARE(window->Timer1->interval(), 1000);
        QCOMPARE(window->Label3->text(), QString());
        QCOMPARE(window->Text1->text(), QStringLiteral("60"));
        QCOMPARE(window->Text2->text(), QStringLiteral("10"));
        // At the first load the geometry is still zero: the read-out waits at (0, 100).
        QCOMPARE(window->Label3->pos(), QPoint(0, 100));
        QCOMPARE(window->Label3->font().pointSizeF(), 18.0);
        QCOMPARE(window->Label3->alignment(), Qt::AlignCenter);

        // The board computed from the picture sizes: towers at 157, 471, 785, base line 390.
        const GameState& state = window->state();
        QCOMPARE(state.DiskCount, 10);
        QCOMPARE(state.TimeLimit, 60);
        QCOMPARE(state.TowerX(3), 785);
        QCOMPARE(state.TowerBaseY(2), 390);
        QCOMPARE(state.TowerCount(1), 10);
    }

    void menusAndShortcuts()
    {
        const auto window = loadedWindow();
        QVERIFY(window);
        const QList<QAction*> top = window->menuBar()->actions();
        QCOMPARE(top.size(), 2);
        QCOMPARE(top.at(0)->text(), QStringLiteral("Joc"));
        QCOMPARE(top.at(1)->text(), QStringLiteral("Ajutor"));

        struct Item {
            QAction* action;
            QString caption;
            QKeySequence shortcut;
        };
        const Item items[] = {
            {window->mStart, QStringLiteral("StartJoc"), QKeySequence(Qt::Key_F2)},
            {window->mOptiuni, QStringLiteral("Optiuni"), QKeySequence(Qt::CTRL | Qt::Key_O)},
            {window->mExit, QStringLiteral("Exit"), QKeySequence(Qt::Key_F4)},
            {window->mAbout, QStringLiteral("Despre"), QKeySequence(Qt::Key_F1)},
        };
        for (const Item& item : items) {
            QCOMPARE(item.action->text(), item.caption);
            QCOMPARE(item.action->shortcut(), item.shortcut);
            QVERIFY(item.action->isEnabled());
            QVERIFY(!item.action->isCheckable());
        }
        QCOMPARE(window->mJoc->actions(),
                 (QList<QAction*>{window->mStart, window->mOptiuni, window->mExit}));
        QCOMPARE(window->mAjutor->actions(), QList<QAction*>{window->mAbout});
    }

    void exitEndsTheEventLoopAtOnce()
    {
        const auto window = loadedWindow();
        QVERIFY(window);
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
        QEventLoop loop;
        bool lateEventRan = false;
        QTimer::singleShot(0, window.get(), [&] {
            QTest::keyClick(window->windowHandle(), Qt::Key_F4);
            // Queued after the exit: must never run.
            QTimer::singleShot(0, [&] { lateEventRan = true; });
        });
        QTimer::singleShot(5000, &loop, [&] { loop.exit(99); });
        QCOMPARE(loop.exec(), 0);
        QVERIFY(!lateEventRan);
    }

    void optionsPanelControls_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QRect>("geometry");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<qreal>("points");

        QTest::newRow("Command5") << "Command5" << QRect(328, 72, 105, 41) << "Ok" << 18.0;
        QTest::newRow("Command4") << "Command4" << QRect(240, 104, 65, 41) << "Down" << 13.5;
        QTest::newRow("Text2") << "Text2" << QRect(176, 104, 57, 41) << "10" << 13.5;
        QTest::newRow("Command3") << "Command3" << QRect(128, 104, 41, 41) << "Up" << 13.5;
        QTest::newRow("Command2") << "Command2" << QRect(240, 48, 65, 41) << "Down" << 13.5;
        QTest::newRow("Command1") << "Command1" << QRect(128, 48, 41, 41) << "Up" << 13.5;
        QTest::newRow("Text1") << "Text1" << QRect(176, 48, 57, 41) << "60" << 13.5;
        QTest::newRow("Label2") << "Label2" << QRect(16, 104, 105, 41) << "Level" << 13.5;
        QTest::newRow("Label1") << "Label1" << QRect(16, 48, 105, 41) << "Time" << 13.5;
    }

    void optionsPanelControls()
    {
        QFETCH(QString, name);
        QFETCH(QRect, geometry);
        QFETCH(QString, caption);
        QFETCH(qreal, points);
        const auto window = loadedWindow();
        QVERIFY(window);
        QCOMPARE(window->Frame1->geometry(), QRect(8, 432, 481, 169));
        QCOMPARE(window->Frame1->title(), QStringLiteral("Optiuni"));
        QCOMPARE(window->Frame1->palette().color(QPalette::Window), QColor(0, 0, 255));

        QWidget* control = nullptr;
        const QMap<QString, QWidget*> controls{
            {"Command1", window->Command1}, {"Command2", window->Command2}, {"Command3", window->Command3},
            {"Command4", window->Command4}, {"Command5", window->Command5}, {"Text1", window->Text1},
            {"Text2", window->Text2},       {"Label1", window->Label1},     {"Label2", window->Label2}};
        control = controls.value(name);
        QVERIFY(control);
        QCOMPARE(control->parentWidget(), window->Frame1);
        QCOMPARE(control->geometry(), geometry);
        QCOMPARE(control->font().pointSizeF(), points);
        if (auto* button = qobject_cast<QPushButton*>(control)) {
            QCOMPARE(button->text(), caption);
            QCOMPARE(button->palette().color(QPalette::Button), QColor(128, 128, 128));
        } else if (auto* box = qobject_cast<QLineEdit*>(control)) {
            QCOMPARE(box->text(), caption);
            QVERIFY(!box->isReadOnly());
        } else if (auto* label = qobject_cast<QLabel*>(control)) {
            QCOMPARE(label->text(), caption);
            QCOMPARE(label->palette().color(QPalette::Window), QColor(255, 255, 0));
            QVERIFY(label->alignment() & Qt::AlignHCenter);
        }
    }

    void focusMovesThroughThePanelInTabOrder()
    {
        const auto window = loadedWindow();
        QVERIFY(window);
        const QList<QWidget*> expected{window->Text1,    window->Command1, window->Command2, window->Command3,
                                       window->Text2,    window->Command4, window->Command5};
        QWidget* current = window->Text1;
        for (qsizetype i = 1; i < expected.size(); ++i) {
            current = current->nextInFocusChain();
            while (current->focusPolicy() == Qt::NoFocus)
                current = current->nextInFocusChain();
            QCOMPARE(current, expected.at(i));
        }
        for (PictureBox* box : {window->Picture1, window->selector, window->disk, window->Buff})
            QCOMPARE(box->focusPolicy(), Qt::NoFocus);
    }

    void pictureBoxesTakeTheirImagesSizePlusBorder()
    {
        const auto window = loadedWindow();
        QVERIFY(window);
        QCOMPARE(window->Picture1->Width(), 214.0f);
        QCOMPARE(window->Picture1->Height(), 87.0f);
        QCOMPARE(window->Picture1->ScaleWidth(), 210.0f);
        QCOMPARE(window->Picture1->ScaleHeight(), 83.0f);
        QCOMPARE(window->selector->Width(), 83.0f);
        QCOMPARE(window->selector->Height(), 80.0f);
        QCOMPARE(window->disk->size(), QSize(81, 81));
        for (PictureBox* box : {window->Picture1, window->selector, window->disk})
            QVERIFY(!box->isVisible() && box->isHidden());

        // The images' backgrounds are exactly white in every corner.
        for (PictureBox* box : {window->Picture1, window->selector, window->disk}) {
            const QImage& image = box->picture();
            if (box != window->selector)
                QVERIFY(isWhite(image.pixel(0, 0)));
            QVERIFY(isWhite(image.pixel(image.width() - 1, image.height() - 1)));
            QVERIFY(isWhite(image.pixel(0, image.height() - 1)));
        }
        // The cursor's triangle spans its whole top row.
        QVERIFY(!isWhite(window->selector->picture().pixel(0, 0)));
        QVERIFY(!isWhite(window->selector->picture().pixel(78, 0)));
        QVERIFY(!isWhite(window->selector->picture().pixel(39, 0)));
    }

    void spriteStandsOverTowerOneAndFollowsTheHand()
    {
        auto window = loadedWindow();
        QVERIFY(window);
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
        Form1& form = *window;

        QVERIFY(form.Buff->isVisible());
        QCOMPARE(form.Buff->Left(), 115.5f);
        QCOMPARE(form.Buff->Top(), 20.0f);
        QCOMPARE(form.Buff->size(), QSize(83, 80));
        QCOMPARE(form.Buff->picture(), form.selector->picture());

        form.setSpritePicture(SpritePicture::Disk);
        QCOMPARE(form.Buff->size(), QSize(81, 81));
        QCOMPARE(form.Buff->picture(), form.disk->picture());
        form.setSpritePicture(SpritePicture::Selector);
        QCOMPARE(form.Buff->size(), QSize(83, 80));
    }

    void cuesComeFromTheProgramsFolder()
    {
        const auto window = loadedWindow();
        QVERIFY(window);
        std::vector<std::pair<std::string, std::uint32_t>> played;
        window->setSoundPlayer(std::make_unique<RecordingPlayer>(&played));
        window->PlaySoundCue(CueTimeUp);
        window->PlaySoundCue(CueWin);
        const std::string folder = QFile::encodeName(QCoreApplication::applicationDirPath()).toStdString();
        QCOMPARE(played.size(), std::size_t{2});
        QCOMPARE(played.at(0), (std::pair<std::string, std::uint32_t>{folder + "/riiiing.wav", 0}));
        QCOMPARE(played.at(1), (std::pair<std::string, std::uint32_t>{folder + "/Yahoo_ring_03.wav", 1}));
    }

    void paintingShowsTheSurface()
    {
        const auto window = loadedWindow();
        QVERIFY(window);
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
        window->Buff->hide();
        const QImage shown = window->boardView()->grab().toImage().convertToFormat(QImage::Format_RGB32);
        QCOMPARE(shown.size(), QSize(1002, 628));
        const QImage surface = window->canvas().image().copy(0, 0, 1002, 628);
        QCOMPARE(shown, surface);
    }
};

QTEST_MAIN(TestForm1)
#include "tst_form1.moc"
