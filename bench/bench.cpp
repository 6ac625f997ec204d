// Latency and memory of Quillmark's dialog, measured in one process side by side with the
// toolkit's own bare calls on an editor that holds the same text.
//
//   bench restyle SIZE ROUNDS   each style action until the editor's repaint, program and bare
//   bench slots SIZE ROUNDS     the same through the program's slots alone, no control clicked
//   bench typing SIZE ROUNDS    a key press until its repaint, fully styled, program and bare
//   bench memory TOGGLES        resident memory after 1,000 style toggles and after TOGGLES
//
// SIZE is 1K, 100K, 1M or 10M (short lines), or 10M-line (one line). Results are printed as
// tab-separated lines, one per measurement: what, size, action, program ns, bare ns.
#include "qwdlgmanual.h"

#include <QAbstractButton>
#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QSignalBlocker>
#include <QTextStream>

#include <functional>
#include <utility>

namespace {

QString makeText(const QString &size)
{
    const bool oneLine = size.endsWith(QLatin1String("-line"));
    const QString amount = oneLine ? size.chopped(5) : size;
    int bytes = amount.chopped(1).toInt() * 1024;
    if (amount.endsWith('M'))
        bytes *= 1024;
    const QString line = oneLine ? QStringLiteral("a long line 敏捷的棕色狐狸 ")
                                 : QStringLiteral("The quick brown fox 敏捷的棕色狐狸 jumps.\n");
    return line.repeated(bytes / line.toUtf8().size() + 1);
}

// Notes the editor's paints, so that a measurement can end with the repaint it caused.
class PaintWatch : public QObject
{
public:
    explicit PaintWatch(QWidget *viewport) { viewport->installEventFilter(this); }
    bool painted = false;

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Paint)
            painted = true;
        return false;
    }
};

// One editor under test: the action it is given, then the event loop until it has repainted.
struct Subject
{
    QPlainTextEdit *edit;
    PaintWatch watch;

    explicit Subject(QPlainTextEdit *e)
        : edit(e)
        , watch(e->viewport())
    {
    }

    qint64 time(const std::function<void()> &action)
    {
        QApplication::processEvents();
        watch.painted = false;
        QElapsedTimer timer;
        timer.start();
        action();
        while (!watch.painted) {
            // Every measured action changes what the editor shows; one that does not is a
            // mistake in this harness.
            if (timer.elapsed() > 600000)
                qFatal("no repaint within 10 minutes");
            QApplication::processEvents();
        }
        return timer.nsecsElapsed();
    }
};

QAbstractButton *button(QWidget *dialog, const char *label)
{
    for (QAbstractButton *b : dialog->findChildren<QAbstractButton *>()) {
        if (b->text() == QString::fromUtf8(label))
            return b;
    }
    qFatal("no control labelled %s", label);
}

void setBareColor(QPlainTextEdit *edit, Qt::GlobalColor color)
{
    QPalette palette = edit->palette();
    palette.setBrush(QPalette::All, QPalette::Text, QBrush(color, Qt::SolidPattern));
    edit->setPalette(palette);
}

void changeBareFont(QPlainTextEdit *edit, const std::function<void(QFont &)> &change)
{
    QFont font = edit->font();
    change(font);
    edit->setFont(font);
}

long residentKilobytes()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').first().toLong();
    }
    return -1;
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    const QStringList args = QApplication::arguments().mid(1);
    if (args.size() < 2)
        qFatal("usage: bench restyle|typing SIZE ROUNDS | bench memory TOGGLES");
    QTextStream out(stdout);

    QWDlgManual dlg;
    dlg.show();
    auto dialogEdit = dlg.findChild<QPlainTextEdit *>();
    QAbstractButton *bold = button(&dlg, "粗体");
    QAbstractButton *italic = button(&dlg, "斜体");
    QAbstractButton *under = button(&dlg, "下划线");
    QAbstractButton *black = button(&dlg, "黑色");
    QAbstractButton *red = button(&dlg, "红色");
    QAbstractButton *blue = button(&dlg, "蓝色");
    QAbstractButton *clear = button(&dlg, "清 除");

    if (args.at(0) == QLatin1String("memory")) {
        const int toggles = args.at(1).toInt();
        const QList<QAbstractButton *> cycle = { bold, italic, under, red, blue, black, clear };
        long afterFirst = 0;
        for (int i = 1; i <= toggles; ++i) {
            cycle.at(i % cycle.size())->click();
            QApplication::processEvents();
            if (i == 1000)
                afterFirst = residentKilobytes();
        }
        out << "memory\t-\ttoggles\t" << afterFirst << '\t' << residentKilobytes() << '\n';
        return 0;
    }

    const QString &size = args.at(1);
    const int rounds = args.value(2, QStringLiteral("5")).toInt();
    const QString text = makeText(size);
    const QFont plainFont = dialogEdit->font();

    // The bare editor: same text and font, at the same place in a window of the same size, and
    // nothing else.
    QWidget bareWindow;
    bareWindow.setFixedSize(dlg.size());
    QPlainTextEdit bareEdit(&bareWindow);
    bareEdit.setFont(plainFont);
    bareEdit.setGeometry(dialogEdit->geometry());
    bareWindow.show();
    dialogEdit->setPlainText(text);
    bareEdit.setPlainText(text);
    Subject program(dialogEdit);
    Subject bare(&bareEdit);

    // Program and bare take turns at going first, round by round.
    const auto timePair = [&](int round, const std::function<void()> &programAction,
                              const std::function<void()> &bareAction) {
        qint64 a = 0;
        qint64 b = 0;
        if (round % 2) {
            a = program.time(programAction);
            b = bare.time(bareAction);
        } else {
            b = bare.time(bareAction);
            a = program.time(programAction);
        }
        return std::make_pair(a, b);
    };
    const auto report = [&](const char *what, const char *action, qint64 a, qint64 b) {
        out << what << '\t' << size << '\t' << action << '\t' << a << '\t' << b << '\n';
        out.flush();
    };

    if (args.at(0) == QLatin1String("typing")) {
        for (QAbstractButton *b : { bold, italic, under, red })
            b->click();
        changeBareFont(&bareEdit, [](QFont &f) {
            f.setWeight(QFont::Bold);
            f.setStyle(QFont::StyleItalic);
            f.setUnderline(true);
        });
        setBareColor(&bareEdit, Qt::red);
        const auto type = [](QPlainTextEdit *edit) {
            QKeyEvent press(QEvent::KeyPress, Qt::Key_X, Qt::NoModifier, QStringLiteral("x"));
            QKeyEvent release(QEvent::KeyRelease, Qt::Key_X, Qt::NoModifier, QStringLiteral("x"));
            QApplication::sendEvent(edit, &press);
            QApplication::sendEvent(edit, &release);
        };
        for (int r = 0; r <= rounds; ++r) {
            const auto [a, b] = timePair(
                    r, [&] { type(dialogEdit); }, [&] { type(&bareEdit); });
            if (r > 0)
                report("typing", "key", a, b);
        }
        return 0;
    }

    struct Step
    {
        const char *name; // empty: a preparation, not measured
        std::function<void()> programAction;
        std::function<void()> bareAction;
    };
    const auto setBare = [&](const std::function<void(QFont &)> &change) {
        return [&, change] { changeBareFont(&bareEdit, change); };
    };
    const auto bareColor
            = [&](Qt::GlobalColor color) { return [&, color] { setBareColor(&bareEdit, color); }; };
    const auto bareClear = [&] {
        bareEdit.setFont(plainFont);
        setBareColor(&bareEdit, Qt::black);
    };
    QVector<Step> steps;
    const bool viaSlots = args.at(0) == QLatin1String("slots");
    if (!viaSlots) {
        // What the user does: click the control.
        steps = {
            { "bold", [&] { bold->click(); }, setBare([](QFont &f) { f.setWeight(QFont::Bold); }) },
            { "italic", [&] { italic->click(); },
              setBare([](QFont &f) { f.setStyle(QFont::StyleItalic); }) },
            { "underline", [&] { under->click(); },
              setBare([](QFont &f) { f.setUnderline(true); }) },
            { "red", [&] { red->click(); }, bareColor(Qt::red) },
            { "blue", [&] { blue->click(); }, bareColor(Qt::blue) },
            { "black", [&] { black->click(); }, bareColor(Qt::black) },
            // Clear is measured after full styling, colour included.
            { "", [&] { red->click(); }, bareColor(Qt::red) },
            { "clear", [&] { clear->click(); }, bareClear },
        };
    } else {
        // The program's own code alone: each slot called once, with no control changing on
        // screen; the radio buttons are set beforehand without signals.
        const auto slot = [&](const char *name, bool checked) {
            return [&, name, checked] {
                QMetaObject::invokeMethod(&dlg, name, Q_ARG(bool, checked));
            };
        };
        const auto quietly = [&](QAbstractButton *radio) {
            return [&, radio] {
                const QSignalBlocker blockBlack(black), blockRed(red), blockBlue(blue);
                radio->setChecked(true);
            };
        };
        const auto setTextColor = [&] { QMetaObject::invokeMethod(&dlg, "setTextColor"); };
        const auto nothing = [] {};
        steps = {
            { "bold", slot("on_chkBoxBold", true),
              setBare([](QFont &f) { f.setWeight(QFont::Bold); }) },
            { "italic", slot("on_chkBoxItalic", true),
              setBare([](QFont &f) { f.setStyle(QFont::StyleItalic); }) },
            { "underline", slot("on_chkBoxUnder", true),
              setBare([](QFont &f) { f.setUnderline(true); }) },
            { "", quietly(red), nothing },
            { "red", setTextColor, bareColor(Qt::red) },
            { "", quietly(blue), nothing },
            { "blue", setTextColor, bareColor(Qt::blue) },
            { "", quietly(black), nothing },
            { "black", setTextColor, bareColor(Qt::black) },
            // A click on a colour runs the slot twice: once for each radio button that toggles.
            { "", quietly(red), nothing },
            { "red-twice",
              [&] {
                  setTextColor();
                  setTextColor();
              },
              bareColor(Qt::red) },
            { "",
              [&] {
                  QMetaObject::invokeMethod(&dlg, "on_chkBoxBold", Q_ARG(bool, false));
                  QMetaObject::invokeMethod(&dlg, "on_chkBoxItalic", Q_ARG(bool, false));
                  QMetaObject::invokeMethod(&dlg, "on_chkBoxUnder", Q_ARG(bool, false));
                  quietly(black)();
                  setTextColor();
              },
              bareClear },
        };
    }
    // Round 0 warms the glyph caches both share and is not reported; after it the two take
    // turns at going first.
    for (int r = 0; r <= rounds; ++r) {
        for (const Step &step : steps) {
            if (!*step.name) {
                step.programAction();
                step.bareAction();
                QApplication::processEvents();
                continue;
            }
            const auto [a, b] = timePair(r, step.programAction, step.bareAction);
            if (r > 0)
                report(viaSlots ? "slot" : "restyle", step.name, a, b);
        }
    }
    return 0;
}
