// The options panel: the time limit and the disk count of the next game,
// edited as text in Text1 and Text2, stepped by four buttons whose ranges
// cycle, and applied together by Ok, the only way to close the panel.

#include "app/form1.h"

#include "app/option_text.h"

#include <QAction>
#include <QApplication>
#include <QGroupBox>
#include <QLineEdit>

namespace velmora {

namespace {

constexpr double TimeStep = 10;
constexpr double LevelStep = 1;

const QString RefusalTitle = QStringLiteral("Velmora");
const QString TimeRefused =
    QStringLiteral("Timpul (Time) trebuie sa fie un numar de secunde intre -32768 si 32767, de exemplu 60.");
const QString LevelRefused =
    QStringLiteral("Nivelul (Level) trebuie sa fie un numar de discuri de la 1 la 15, de exemplu 10.");

std::optional<double> numberIn(const QLineEdit* box)
{
    return readNumber(box->text().toStdString());
}

} // namespace

// Shows the panel; a panel already shown stays as it is.
void Form1::mOptiuni_Click()
{
    Frame1->setVisible(true);
}

void Form1::Command1_Click()
{
    stepOption(Text1, TimeStep, 1510, QStringLiteral("30"));
}

void Form1::Command2_Click()
{
    stepOption(Text1, -TimeStep, 20, QStringLiteral("1500"));
}

void Form1::Command3_Click()
{
    stepOption(Text2, LevelStep, 11, QStringLiteral("4"));
}

void Form1::Command4_Click()
{
    stepOption(Text2, -LevelStep, 3, QStringLiteral("10"));
}

// Adds the step and writes the sum back, then reads it again: exactly the wrap
// value is replaced by the other end of the range. A value off the grid of
// the range never meets it and steps on.
void Form1::stepOption(QLineEdit* box, double step, double wrapValue, const QString& replacement)
{
    const std::optional<double> value = numberIn(box);
    if (!value) {
        refuseOption(box);
        return;
    }
    box->setText(QString::fromStdString(writeNumber(*value + step)));
    if (numberIn(box) == wrapValue)
        box->setText(replacement);
}

// Applies both values and rebuilds the board; the clock is left as it is.
// Values the game cannot use are refused before anything is applied.
void Form1::Command5_Click()
{
    const std::optional<double> time = numberIn(Text1);
    const std::optional<std::int16_t> timeLimit = time ? toInteger16(*time) : std::nullopt;
    if (!timeLimit) {
        refuseOption(Text1);
        return;
    }
    const std::optional<double> level = numberIn(Text2);
    const std::optional<std::int16_t> diskCount = level ? toInteger16(*level) : std::nullopt;
    if (!diskCount || *diskCount < MinDiskCount || *diskCount > MaxDiskCount) {
        refuseOption(Text2);
        return;
    }
    state_.TimeLimit = *timeLimit;
    state_.DiskCount = *diskCount;
    NewGame();
    Frame1->setVisible(false);
    // Nothing else on the window takes the focus, so Qt would leave it on the
    // hidden Ok, and the next Space would press Ok again and reset the board.
    if (QWidget* focused = QApplication::focusWidget(); focused && Frame1->isAncestorOf(focused))
        focused->clearFocus();
    mStart->setEnabled(true);
}

// Says what the field takes and leaves everything as it was, the typed text
// included, ready to be corrected.
void Form1::refuseOption(QLineEdit* box)
{
    messageBox_(box == Text1 ? TimeRefused : LevelRefused, RefusalTitle);
    box->setFocus();
    box->selectAll();
}

} // namespace velmora
