#include "qwdlgmanual.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QHBoxLayout>
#include <QMetaMethod>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QRandomGenerator>
#include <QSignalSpy>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTextCursor>
#include <QTextDocument>
#include <QVBoxLayout>
#include <QtTest>

namespace {

const QString Bold = QStringLiteral("粗体");
const QString Italic = QStringLiteral("斜体");
const QString Under = QStringLiteral("下划线");
const QString Black = QStringLiteral("黑色");
const QString Red = QStringLiteral("红色");
const QString Blue = QStringLiteral("蓝色");
const QString Ok = QStringLiteral("确 定");
const QString Clear = QStringLiteral("清 除");
const QString Quit = QStringLiteral("退 出");
const QString SampleText = QStringLiteral("请在此处输入文字");

const QPalette::ColorGroup Groups[] = { QPalette::Active, QPalette::Inactive, QPalette::Disabled };

// A shown dialog with its controls found the way a user finds them: by their labels.
struct Fixture
{
    QWDlgManual dlg;
    QPlainTextEdit *edit = nullptr;
    // Each toggle of a style control, in order, as "<label> on|off".
    QStringList toggles;

    Fixture()
    {
        edit = dlg.findChild<QPlainTextEdit *>();
        for (const QString &label : { Bold, Italic, Under, Black, Red, Blue }) {
            if (QAbstractButton *b = button(label)) {
                QObject::connect(b, &QAbstractButton::toggled, [this, label](bool on) {
                    toggles << label + (on ? " on" : " off");
                });
            }
        }
    }

    bool show()
    {
        dlg.show();
        return QTest::qWaitForWindowExposed(&dlg);
    }

    QAbstractButton *button(const QString &label) const
    {
        QAbstractButton *found = nullptr;
        for (QAbstractButton *b : dlg.findChildren<QAbstractButton *>()) {
            if (b->text() == label) {
                if (found)
                    return nullptr;
                found = b;
            }
        }
        return found;
    }

    bool checked(const QString &label) const
    {
        QAbstractButton *b = button(label);
        return b && b->isChecked();
    }

    // Clicks where a user would: a check box or radio button only reacts on its indicator or
    // label, not on the empty area to their right.
    void click(const QString &label)
    {
        QAbstractButton *b = button(label);
        QVERIFY2(b, qPrintable("no single control labelled " + label));
        QPoint pos = b->rect().center();
        QStyleOptionButton opt;
        opt.initFrom(b);
        if (qobject_cast<QCheckBox *>(b))
            pos = b->style()->subElementRect(QStyle::SE_CheckBoxIndicator, &opt, b).center();
        else if (qobject_cast<QRadioButton *>(b))
            pos = b->style()->subElementRect(QStyle::SE_RadioButtonIndicator, &opt, b).center();
        QTest::mouseClick(b, Qt::LeftButton, Qt::NoModifier, pos);
    }

    void clickAll(const QStringList &labels)
    {
        for (const QString &label : labels)
            click(label);
    }

    QColor textColor(QPalette::ColorGroup group) const
    {
        return edit->palette().color(group, QPalette::Text);
    }
};

// Where two long texts first differ, for a readable failure.
QString firstDifference(const QByteArray &actual, const QByteArray &expected)
{
    if (actual == expected)
        return QString();
    int i = 0;
    while (i < actual.size() && i < expected.size() && actual.at(i) == expected.at(i))
        ++i;
    return QStringLiteral("%1 bytes, expected %2; first difference at byte %3: %4 against %5")
            .arg(actual.size())
            .arg(expected.size())
            .arg(i)
            .arg(QString::fromLatin1(actual.mid(i, 16).toHex(' ')))
            .arg(QString::fromLatin1(expected.mid(i, 16).toHex(' ')));
}

QString describe(QLayoutItem *item)
{
    if (QWidget *w = item->widget()) {
        if (auto b = qobject_cast<QAbstractButton *>(w))
            return QString::fromLatin1(w->metaObject()->className()) + ':' + b->text();
        return QString::fromLatin1(w->metaObject()->className());
    }
    if (item->spacerItem())
        return QStringLiteral("stretch");
    return QStringLiteral("layout");
}

QStringList describeRow(QLayout *layout)
{
    QStringList row;
    if (!qobject_cast<QHBoxLayout *>(layout))
        return row;
    for (int i = 0; i < layout->count(); ++i)
        row << describe(layout->itemAt(i));
    return row;
}

// What the dialog promises, for the random test: the styling follows the controls, the text
// and cursor follow the editing keys, and nothing else changes.
struct Model
{
    enum Kind {
        Click,
        Type,
        Paste,
        SelectAll,
        Left,
        Right,
        ShiftLeft,
        ShiftRight,
        Start,
        End,
        Backspace,
        Delete,
        Enter
    };
    struct Action
    {
        Kind kind;
        QString arg;
    };

    bool bold = false;
    bool italic = false;
    bool under = false;
    QString chosen = Black;
    QColor colour; // invalid while no colour was ever applied
    QString text = SampleText;
    int pos = 0;
    int anchor = 0;

    static QVector<Action> randomActions(quint32 seed, int count)
    {
        static const QStringList controls = { Bold, Italic, Under, Black, Red, Blue, Clear };
        static const QString typeable = QStringLiteral("abcxyzABC 019.,;-!?");
        static const QStringList pastes = { QStringLiteral("x"),
                                            QStringLiteral("两个字"),
                                            QStringLiteral("line one\nline two"),
                                            QStringLiteral("  spaced\ttab  "),
                                            QStringLiteral("\n"),
                                            QStringLiteral("mixed 中文 text") };
        QRandomGenerator random(seed);
        QVector<Action> actions;
        actions.reserve(count);
        for (int i = 0; i < count; ++i) {
            const int roll = random.bounded(100);
            if (roll < 40)
                actions.append(Action { Click, controls.at(random.bounded(controls.size())) });
            else if (roll < 58)
                actions.append(Action { Type, typeable.at(random.bounded(typeable.size())) });
            else if (roll < 63)
                actions.append(Action { Paste, pastes.at(random.bounded(pastes.size())) });
            else
                actions.append(
                        Action { Kind(SelectAll + random.bounded(Enter - SelectAll + 1)), {} });
        }
        return actions;
    }

    static QString describe(const Action &a)
    {
        static const char *const names[]
                = { "click",     "type",       "paste",       "select-all", "left",
                    "right",     "shift-left", "shift-right", "ctrl-home",  "ctrl-end",
                    "backspace", "delete",     "enter" };
        QString d = QString::fromLatin1(names[a.kind]);
        if (!a.arg.isEmpty())
            d += " '" + QString(a.arg).replace('\n', "\\n").replace('\t', "\\t") + "'";
        return d;
    }

    void replaceSelection(const QString &with)
    {
        const int from = qMin(pos, anchor);
        text.replace(from, qAbs(pos - anchor), with);
        pos = anchor = from + int(with.size());
    }

    void apply(const Action &a)
    {
        const bool selected = pos != anchor;
        switch (a.kind) {
        case Click:
            if (a.arg == Bold) {
                bold = !bold;
            } else if (a.arg == Italic) {
                italic = !italic;
            } else if (a.arg == Under) {
                under = !under;
            } else if (a.arg == Clear) {
                if (chosen != Black)
                    colour = Qt::black;
                chosen = Black;
                bold = italic = under = false;
            } else if (a.arg != chosen) {
                chosen = a.arg;
                colour = a.arg == Red   ? QColor(Qt::red)
                        : a.arg == Blue ? QColor(Qt::blue)
                                        : QColor(Qt::black);
            }
            break;
        case Type:
        case Paste:
            replaceSelection(a.arg);
            break;
        case Enter:
            replaceSelection(QStringLiteral("\n"));
            break;
        case SelectAll:
            anchor = 0;
            pos = int(text.size());
            break;
        case Left:
            pos = anchor = selected ? qMin(pos, anchor) : qMax(0, pos - 1);
            break;
        case Right:
            pos = anchor = selected ? qMax(pos, anchor) : qMin(int(text.size()), pos + 1);
            break;
        case ShiftLeft:
            pos = qMax(0, pos - 1);
            break;
        case ShiftRight:
            pos = qMin(int(text.size()), pos + 1);
            break;
        case Start:
            pos = anchor = 0;
            break;
        case End:
            pos = anchor = int(text.size());
            break;
        case Backspace:
            if (!selected && pos > 0)
                anchor = pos - 1;
            replaceSelection(QString());
            break;
        case Delete:
            if (!selected && pos < text.size())
                anchor = pos + 1;
            replaceSelection(QString());
            break;
        }
    }

    // Performs the action on the dialog the way a user would.
    static void perform(Fixture &f, const Action &a)
    {
        QPlainTextEdit *e = f.edit;
        switch (a.kind) {
        case Click:
            f.click(a.arg);
            break;
        case Type:
            QTest::keyClick(e, a.arg.at(0).toLatin1());
            break;
        case Paste:
            QGuiApplication::clipboard()->setText(a.arg);
            QTest::keyClick(e, Qt::Key_V, Qt::ControlModifier);
            break;
        case SelectAll:
            QTest::keyClick(e, Qt::Key_A, Qt::ControlModifier);
            break;
        case Left:
            QTest::keyClick(e, Qt::Key_Left);
            break;
        case Right:
            QTest::keyClick(e, Qt::Key_Right);
            break;
        case ShiftLeft:
            QTest::keyClick(e, Qt::Key_Left, Qt::ShiftModifier);
            break;
        case ShiftRight:
            QTest::keyClick(e, Qt::Key_Right, Qt::ShiftModifier);
            break;
        case Start:
            QTest::keyClick(e, Qt::Key_Home, Qt::ControlModifier);
            break;
        case End:
            QTest::keyClick(e, Qt::Key_End, Qt::ControlModifier);
            break;
        case Backspace:
            QTest::keyClick(e, Qt::Key_Backspace);
            break;
        case Delete:
            QTest::keyClick(e, Qt::Key_Delete);
            break;
        case Enter:
            QTest::keyClick(e, Qt::Key_Return);
            break;
        }
    }

    // Empty when the dialog is as the model says, else what differs.
    QString mismatch(const Fixture &f, const QFont &initialFont,
                     const QPalette &initialPalette) const
    {
        QStringList out;
        auto expect = [&out](bool ok, const QString &what) {
            if (!ok)
                out << what;
        };
        const QFont font = f.edit->font();
        expect(font.weight() == int(bold ? QFont::Bold : QFont::Normal),
               QStringLiteral("weight %1, bold %2").arg(int(font.weight())).arg(bold));
        expect(font.style() == (italic ? QFont::StyleItalic : QFont::StyleNormal),
               QStringLiteral("style %1, italic %2").arg(font.style()).arg(italic));
        expect(font.underline() == under, QStringLiteral("underline %1").arg(font.underline()));
        expect(font.pointSize() == 20, QStringLiteral("point size %1").arg(font.pointSize()));
        expect(font.family() == initialFont.family(), "family " + font.family());
        for (QPalette::ColorGroup group : Groups) {
            const QColor actual = f.edit->palette().color(group, QPalette::Text);
            const QColor wanted
                    = colour.isValid() ? colour : initialPalette.color(group, QPalette::Text);
            expect(actual == wanted,
                   QStringLiteral("text colour %1 in group %2, expected %3")
                           .arg(actual.name())
                           .arg(int(group))
                           .arg(wanted.name()));
        }
        expect(f.edit->testAttribute(Qt::WA_SetPalette) == colour.isValid(),
               QStringLiteral("palette set %1").arg(f.edit->testAttribute(Qt::WA_SetPalette)));
        for (const QString &label : { Black, Red, Blue })
            expect(f.checked(label) == (label == chosen), label + " checked wrongly");
        expect(f.checked(Bold) == bold, QStringLiteral("粗体 checked wrongly"));
        expect(f.checked(Italic) == italic, QStringLiteral("斜体 checked wrongly"));
        expect(f.checked(Under) == under, QStringLiteral("下划线 checked wrongly"));
        const QString actualText = f.edit->toPlainText();
        expect(actualText == text, "text '" + actualText + "', expected '" + text + "'");
        const QTextCursor cursor = f.edit->textCursor();
        expect(cursor.position() == pos && cursor.anchor() == anchor,
               QStringLiteral("cursor %1 anchor %2, expected %3 and %4")
                       .arg(cursor.position())
                       .arg(cursor.anchor())
                       .arg(pos)
                       .arg(anchor));
        return out.join(QStringLiteral("; "));
    }
};

} // namespace

class tst_QWDlgManual : public QObject
{
    Q_OBJECT

private slots:
    void window();
    void layout();
    void initialState();
    void styleCheckBoxes_data();
    void styleCheckBoxes();
    void styleSlotsTakeTheirArgument_data();
    void styleSlotsTakeTheirArgument();
    void colour_data();
    void colour();
    void clear_data();
    void clear();
    void closing_data();
    void closing();
    void metaObject();
    void randomActions_data();
    void randomActions();
    void extremeInput_data();
    void extremeInput();
};

void tst_QWDlgManual::window()
{
    Fixture f;
    QCOMPARE(f.dlg.windowTitle(), QStringLiteral("Quillmark V2.0 By:Kestrune"));
    QCOMPARE(f.dlg.minimumSize(), QSize(440, 320));
    QCOMPARE(f.dlg.maximumSize(), QSize(440, 320));
    QCOMPARE(f.dlg.windowFlags(), QDialog().windowFlags());
    QVERIFY(f.show());
    QCOMPARE(f.dlg.size(), QSize(440, 320));
    QVERIFY(!f.dlg.isModal());

    f.dlg.resize(800, 600);
    QCOMPARE(f.dlg.size(), QSize(440, 320));
    f.dlg.resize(100, 100);
    QCOMPARE(f.dlg.size(), QSize(440, 320));
}

void tst_QWDlgManual::layout()
{
    Fixture f;
    auto outer = qobject_cast<QVBoxLayout *>(f.dlg.layout());
    QVERIFY(outer);
    QCOMPARE(outer->count(), 4);
    for (int i = 0; i < outer->count(); ++i)
        QCOMPARE(outer->stretch(i), 0);

    QCOMPARE(describeRow(outer->itemAt(0)->layout()),
             QStringList({ "QCheckBox:" + Bold, "QCheckBox:" + Italic, "QCheckBox:" + Under }));
    QCOMPARE(describeRow(outer->itemAt(1)->layout()),
             QStringList(
                     { "QRadioButton:" + Black, "QRadioButton:" + Red, "QRadioButton:" + Blue }));
    QCOMPARE(describe(outer->itemAt(2)), QStringLiteral("QPlainTextEdit"));
    QCOMPARE(describeRow(outer->itemAt(3)->layout()),
             QStringList({ "QPushButton:" + Ok, "QPushButton:" + Clear, "stretch",
                           "QPushButton:" + Quit }));
    auto buttonRow = static_cast<QBoxLayout *>(outer->itemAt(3)->layout());
    for (int i = 0; i < buttonRow->count(); ++i)
        QCOMPARE(buttonRow->stretch(i), 0);

    // The dialog owns exactly the ten controls, and nothing else is a widget of its own.
    const QList<QWidget *> children
            = f.dlg.findChildren<QWidget *>(QString(), Qt::FindDirectChildrenOnly);
    QCOMPARE(int(children.size()), 10);

    // With the toolkit's size policies the editor takes the free height, and Exit sits at the
    // right end of its row.
    QVERIFY(f.show());
    QVERIFY(f.edit->height() > f.button(Bold)->height() * 3);
    QVERIFY(f.button(Quit)->geometry().left() > f.button(Clear)->geometry().right() + 50);
}

void tst_QWDlgManual::initialState()
{
    Fixture f;
    QVERIFY(f.edit);
    // Before it is shown: on show the toolkit itself makes the first button the default.
    for (const QString &label : { Ok, Clear, Quit }) {
        auto b = qobject_cast<QPushButton *>(f.button(label));
        QVERIFY(b);
        QVERIFY2(!b->isDefault(), qPrintable(label));
    }
    QVERIFY(f.show());

    QVERIFY(f.checked(Black));
    QVERIFY(!f.checked(Red));
    QVERIFY(!f.checked(Blue));
    for (const QString &label : { Bold, Italic, Under })
        QVERIFY2(!f.checked(label), qPrintable(label));

    // Real content, not a placeholder.
    QCOMPARE(f.edit->toPlainText(), SampleText);
    QVERIFY(f.edit->placeholderText().isEmpty());

    const QPlainTextEdit plain;
    const QFont font = f.edit->font();
    QCOMPARE(font.pointSize(), 20);
    QCOMPARE(font.family(), plain.font().family());
    QCOMPARE(int(font.weight()), int(QFont::Normal));
    QCOMPARE(font.style(), QFont::StyleNormal);
    QVERIFY(!font.underline());
    QCOMPARE(f.edit->document()->defaultFont().pointSize(), 20);

    // No slot ran while the dialog was built: the editor's palette was never set.
    QVERIFY(!f.edit->testAttribute(Qt::WA_SetPalette));
    QCOMPARE(f.edit->palette().color(QPalette::Text), plain.palette().color(QPalette::Text));
}

void tst_QWDlgManual::styleCheckBoxes_data()
{
    QTest::addColumn<QStringList>("clicks");
    QTest::addColumn<bool>("bold");
    QTest::addColumn<bool>("italic");
    QTest::addColumn<bool>("underline");

    QTest::newRow("bold") << QStringList { Bold } << true << false << false;
    QTest::newRow("italic") << QStringList { Italic } << false << true << false;
    QTest::newRow("underline") << QStringList { Under } << false << false << true;
    QTest::newRow("bold on and off") << QStringList { Bold, Bold } << false << false << false;
    QTest::newRow("italic on and off") << QStringList { Italic, Italic } << false << false << false;
    QTest::newRow("underline on and off")
            << QStringList { Under, Under } << false << false << false;
    QTest::newRow("all three") << QStringList { Bold, Italic, Under } << true << true << true;
    QTest::newRow("all three, bold undone")
            << QStringList { Bold, Italic, Under, Bold } << false << true << true;
    QTest::newRow("all three, italic undone")
            << QStringList { Under, Italic, Bold, Italic } << true << false << true;
    QTest::newRow("all three, underline undone")
            << QStringList { Italic, Under, Bold, Under } << true << true << false;
    QTest::newRow("bold off after italic came and went")
            << QStringList { Bold, Italic, Italic, Bold } << false << false << false;
    QTest::newRow("colours in between do not touch the font")
            << QStringList { Bold, Red, Italic, Blue, Black } << true << true << false;
}

void tst_QWDlgManual::styleCheckBoxes()
{
    QFETCH(QStringList, clicks);
    QFETCH(bool, bold);
    QFETCH(bool, italic);
    QFETCH(bool, underline);

    Fixture f;
    QVERIFY(f.show());
    const QFont initial = f.edit->font();
    f.clickAll(clicks);

    QCOMPARE(f.checked(Bold), bold);
    QCOMPARE(f.checked(Italic), italic);
    QCOMPARE(f.checked(Under), underline);

    // What the editor lays out, not only what it was told.
    const QFont font = f.edit->document()->defaultFont();
    QCOMPARE(f.edit->font(), font);
    QCOMPARE(int(font.weight()), int(bold ? QFont::Bold : QFont::Normal));
    QCOMPARE(font.style(), italic ? QFont::StyleItalic : QFont::StyleNormal);
    QCOMPARE(font.underline(), underline);

    // Everything else is carried along.
    QCOMPARE(font.pointSize(), 20);
    QCOMPARE(font.family(), initial.family());
    QCOMPARE(font.strikeOut(), initial.strikeOut());
    QCOMPARE(font.overline(), initial.overline());
    QCOMPARE(font.stretch(), initial.stretch());
    QCOMPARE(f.edit->toPlainText(), SampleText);
}

void tst_QWDlgManual::styleSlotsTakeTheirArgument_data()
{
    QTest::addColumn<QByteArray>("slot");
    QTest::addColumn<QString>("label");

    QTest::newRow("bold") << QByteArray("on_chkBoxBold") << Bold;
    QTest::newRow("italic") << QByteArray("on_chkBoxItalic") << Italic;
    QTest::newRow("underline") << QByteArray("on_chkBoxUnder") << Under;
}

// The slots follow their argument, not their check box, which stays unticked here.
void tst_QWDlgManual::styleSlotsTakeTheirArgument()
{
    QFETCH(QByteArray, slot);
    QFETCH(QString, label);

    Fixture f;
    const QFont plain = f.edit->font();
    auto styled = [&](const QFont &font) {
        return font.weight() == int(QFont::Bold) || font.style() == QFont::StyleItalic
                || font.underline();
    };

    QVERIFY(QMetaObject::invokeMethod(&f.dlg, slot.constData(), Q_ARG(bool, true)));
    QVERIFY(styled(f.edit->font()));
    QVERIFY(!f.checked(label));
    QCOMPARE(f.edit->font().pointSize(), 20);

    QVERIFY(QMetaObject::invokeMethod(&f.dlg, slot.constData(), Q_ARG(bool, false)));
    QCOMPARE(f.edit->font(), plain);
}

void tst_QWDlgManual::colour_data()
{
    QTest::addColumn<QStringList>("clicks");
    QTest::addColumn<QString>("selected");
    // Invalid: the palette must never have been set.
    QTest::addColumn<QColor>("expected");

    QTest::newRow("red") << QStringList { Red } << Red << QColor(0xff, 0, 0);
    QTest::newRow("blue") << QStringList { Blue } << Blue << QColor(0, 0, 0xff);
    QTest::newRow("red then blue") << QStringList { Red, Blue } << Blue << QColor(0, 0, 0xff);
    QTest::newRow("blue then red") << QStringList { Blue, Red } << Red << QColor(0xff, 0, 0);
    QTest::newRow("red then black") << QStringList { Red, Black } << Black << QColor(0, 0, 0);
    QTest::newRow("blue then black") << QStringList { Blue, Black } << Black << QColor(0, 0, 0);
    QTest::newRow("red clicked again stays red")
            << QStringList { Red, Red } << Red << QColor(0xff, 0, 0);
    QTest::newRow("blue clicked again stays blue")
            << QStringList { Blue, Blue } << Blue << QColor(0, 0, 0xff);
    QTest::newRow("black clicked while black changes nothing")
            << QStringList { Black } << Black << QColor();
    QTest::newRow("bold does not touch the colour") << QStringList { Bold } << Black << QColor();
}

void tst_QWDlgManual::colour()
{
    QFETCH(QStringList, clicks);
    QFETCH(QString, selected);
    QFETCH(QColor, expected);

    Fixture f;
    QVERIFY(f.show());
    const QPalette initial = f.edit->palette();
    f.clickAll(clicks);

    // Exactly one colour is chosen, and a click on the chosen one cannot undo it.
    for (const QString &label : { Black, Red, Blue })
        QCOMPARE(f.checked(label), label == selected);

    if (!expected.isValid()) {
        QVERIFY(!f.edit->testAttribute(Qt::WA_SetPalette));
        QCOMPARE(f.edit->palette(), initial);
        return;
    }
    // The same colour whether the window is active, inactive (lost focus) or disabled.
    for (QPalette::ColorGroup group : Groups) {
        const QBrush brush = f.edit->palette().brush(group, QPalette::Text);
        QCOMPARE(brush.color(), expected);
        QCOMPARE(brush.style(), Qt::SolidPattern);
        // Only the editable text's colour changes.
        QCOMPARE(f.edit->palette().brush(group, QPalette::WindowText),
                 initial.brush(group, QPalette::WindowText));
        QCOMPARE(f.edit->palette().brush(group, QPalette::Base),
                 initial.brush(group, QPalette::Base));
    }
}

void tst_QWDlgManual::clear_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QStringList>("clicks");
    // The toggles the Clear click itself sets off, in order.
    QTest::addColumn<QStringList>("toggles");
    QTest::addColumn<bool>("blackened");

    QTest::newRow("fresh dialog") << QString() << QStringList() << QStringList() << false;
    QTest::newRow("bold") << QString() << QStringList { Bold } << QStringList { Bold + " off" }
                          << false;
    QTest::newRow("red") << QString() << QStringList { Red }
                         << QStringList { Red + " off", Black + " on" } << true;
    QTest::newRow("blue") << QString() << QStringList { Blue }
                          << QStringList { Blue + " off", Black + " on" } << true;
    QTest::newRow("red then black")
            << QString() << QStringList { Red, Black } << QStringList() << true;
    QTest::newRow("full styling in blue")
            << QString() << QStringList { Under, Blue, Italic, Bold }
            << QStringList { Blue + " off", Black + " on", Bold + " off", Italic + " off",
                             Under + " off" }
            << true;
    QTest::newRow("typed text is kept")
            << QStringLiteral("Hello, world") << QStringList { Bold, Red }
            << QStringList { Red + " off", Black + " on", Bold + " off" } << true;
}

void tst_QWDlgManual::clear()
{
    QFETCH(QString, typed);
    QFETCH(QStringList, clicks);
    QFETCH(QStringList, toggles);
    QFETCH(bool, blackened);

    Fixture f;
    QVERIFY(f.show());
    const QFont initialFont = f.edit->font();
    const QPalette initialPalette = f.edit->palette();
    if (!typed.isEmpty()) {
        f.edit->setFocus();
        QTest::keyClick(f.edit, Qt::Key_End, Qt::ControlModifier);
        QTest::keyClicks(f.edit, typed);
        QCOMPARE(f.edit->toPlainText(), SampleText + typed);
    }
    f.clickAll(clicks);
    const QString text = f.edit->toPlainText();
    f.toggles.clear();

    f.click(Clear);

    QCOMPARE(f.toggles, toggles);
    QVERIFY(f.checked(Black));
    for (const QString &label : { Red, Blue, Bold, Italic, Under })
        QVERIFY2(!f.checked(label), qPrintable(label));
    QCOMPARE(f.edit->font(), initialFont);
    QCOMPARE(f.edit->document()->defaultFont(), initialFont);
    QCOMPARE(f.edit->toPlainText(), text);

    if (blackened) {
        for (QPalette::ColorGroup group : Groups)
            QCOMPARE(f.edit->palette().color(group, QPalette::Text), QColor(Qt::black));
    } else {
        QVERIFY(!f.edit->testAttribute(Qt::WA_SetPalette));
        QCOMPARE(f.edit->palette(), initialPalette);
    }
}

void tst_QWDlgManual::closing_data()
{
    QTest::addColumn<QString>("how");
    QTest::addColumn<int>("result");

    QTest::newRow("OK") << Ok << int(QDialog::Accepted);
    QTest::newRow("Exit") << Quit << int(QDialog::Rejected);
    QTest::newRow("Esc") << QStringLiteral("Esc") << int(QDialog::Rejected);
    QTest::newRow("window close") << QStringLiteral("close") << int(QDialog::Rejected);
}

void tst_QWDlgManual::closing()
{
    QFETCH(QString, how);
    QFETCH(int, result);

    Fixture f;
    QVERIFY(f.show());
    QPointer<QWDlgManual> dlg = &f.dlg;
    QSignalSpy finished(dlg.data(), &QDialog::finished);

    // Close from inside the application's own event loop, as the program runs: closing the
    // only window must end that loop with status 0.
    QTimer::singleShot(0, &f.dlg, [&]() {
        if (how == "Esc") {
            f.edit->setFocus();
            QTest::keyClick(f.edit, Qt::Key_Escape);
        } else if (how == "close") {
            f.dlg.close();
        } else {
            f.click(how);
        }
    });
    QTimer guard;
    guard.setSingleShot(true);
    QObject::connect(&guard, &QTimer::timeout, qApp, []() { QCoreApplication::exit(99); });
    guard.start(10000);
    QCOMPARE(QApplication::exec(), 0);

    QCOMPARE(int(finished.count()), 1);
    QCOMPARE(finished.at(0).at(0).toInt(), result);
    QCOMPARE(f.dlg.result(), result);
    QVERIFY(!f.dlg.isVisible());
    // Closed, not destroyed: that is left to its owner.
    QVERIFY(dlg);
}

void tst_QWDlgManual::metaObject()
{
    QWDlgManual dlg;
    const QMetaObject *mo = dlg.metaObject();
    QCOMPARE(mo->className(), "QWDlgManual");
    QCOMPARE(mo->superClass(), &QDialog::staticMetaObject);

    const QList<QByteArray> slotsInOrder
            = { "on_chkBoxUnder(bool)", "on_chkBoxItalic(bool)", "on_chkBoxBold(bool)",
                "on_BtnCancel()", "setTextColor()" };
    QCOMPARE(mo->methodCount() - mo->methodOffset(), int(slotsInOrder.size()));
    for (int i = 0; i < slotsInOrder.size(); ++i) {
        const QMetaMethod method = mo->method(mo->methodOffset() + i);
        QCOMPARE(method.methodSignature(), slotsInOrder.at(i));
        QCOMPARE(method.methodType(), QMetaMethod::Slot);
        QCOMPARE(method.access(), QMetaMethod::Public);
        QCOMPARE(method.returnType(), int(QMetaType::Void));
    }
    QCOMPARE(mo->propertyCount(), mo->propertyOffset());
    QCOMPARE(mo->enumeratorCount(), mo->enumeratorOffset());
    QCOMPARE(mo->classInfoCount(), mo->classInfoOffset());

    QCOMPARE(dlg.qt_metacast("QWDlgManual"), static_cast<void *>(&dlg));
    QCOMPARE(dlg.qt_metacast("QDialog"), static_cast<void *>(static_cast<QDialog *>(&dlg)));
    QCOMPARE(dlg.qt_metacast("QWDlgManualX"), nullptr);
    QCOMPARE(dlg.qt_metacast(nullptr), nullptr);
    QObject *object = &dlg;
    QCOMPARE(qobject_cast<QWDlgManual *>(object), &dlg);
}

void tst_QWDlgManual::randomActions_data()
{
    QTest::addColumn<quint32>("seed");
    QTest::addColumn<int>("count");

    for (quint32 seed : { 1u, 2u, 3u, 4u, 5u })
        QTest::addRow("seed %u", seed) << seed << 10000;
    // A longer soak: QUILLMARK_SOAK_SEED=N [QUILLMARK_SOAK_ACTIONS=M].
    bool ok = false;
    const quint32 soakSeed = qEnvironmentVariable("QUILLMARK_SOAK_SEED").toUInt(&ok);
    if (ok) {
        const int count = qEnvironmentVariableIntValue("QUILLMARK_SOAK_ACTIONS");
        QTest::addRow("soak seed %u", soakSeed) << soakSeed << (count > 0 ? count : 1000000);
    }
}

// Random user actions on a live dialog, each followed by a comparison with the model. On a
// difference it reports the seed and the actions up to the first one that went wrong.
void tst_QWDlgManual::randomActions()
{
    QFETCH(quint32, seed);
    QFETCH(int, count);

    Fixture f;
    QVERIFY(f.show());
    const QFont initialFont = f.edit->font();
    const QPalette initialPalette = f.edit->palette();
    const QVector<Model::Action> actions = Model::randomActions(seed, count);
    Model model;
    QString wrong = model.mismatch(f, initialFont, initialPalette);
    QVERIFY2(wrong.isEmpty(), qPrintable("before any action: " + wrong));

    for (int i = 0; i < actions.size(); ++i) {
        Model::perform(f, actions.at(i));
        model.apply(actions.at(i));
        wrong = model.mismatch(f, initialFont, initialPalette);
        if (!wrong.isEmpty()) {
            QStringList prefix;
            for (int j = 0; j <= i; ++j)
                prefix << Model::describe(actions.at(j));
            QFAIL(qPrintable(QStringLiteral("seed %1, action %2 of %3: %4\nfailing prefix (%5 "
                                            "actions): %6")
                                     .arg(seed)
                                     .arg(i + 1)
                                     .arg(actions.size())
                                     .arg(wrong)
                                     .arg(i + 1)
                                     .arg(prefix.join(QStringLiteral(", ")))));
        }
    }
}

void tst_QWDlgManual::extremeInput_data()
{
    QTest::addColumn<QString>("text");

    const int tenMegabytes = 10 * 1024 * 1024;
    const QString line
            = QStringLiteral("The quick brown fox 敏捷的棕色狐狸 jumps over the lazy dog.\n");
    QTest::newRow("10 MB in short lines") << line.repeated(tenMegabytes / line.toUtf8().size() + 1);
    const QString words = QStringLiteral("one long line 一行 ");
    QTest::newRow("one 10 MB line") << words.repeated(tenMegabytes / words.toUtf8().size() + 1);
    QTest::newRow("outside the Basic Multilingual Plane")
            << QStringLiteral("😀 𝄞 𠀀𠀁 🀄 𝔘𝔫𝔦𝔠𝔬𝔡𝔢 end");
    QTest::newRow("combining marks") << QStringLiteral(
            "e\u0301 a\u0308\u0304 n\u0303 Z\u0351\u0352\u0353\u0354 \u0915\u094d\u0937");
    QTest::newRow("right to left")
            << QStringLiteral("שלום עולם, مرحبا بالعالم, mixed עם English 123");
    QTest::newRow("zero-width joiners") << QStringLiteral(
            "👨\u200d👩\u200d👧 a\u200db c\u200cd \u2060 🏳\ufe0f\u200d🌈");
    QTest::newRow("control characters")
            << QStringLiteral("tab\there \u0001\u0007\u001b[0m\u007f\u0085 bell\u0008 end");
}

// Whatever the user pastes stays exactly as it was, through every restyling.
void tst_QWDlgManual::extremeInput()
{
    QFETCH(QString, text);

    Fixture f;
    QVERIFY(f.show());
    const QByteArray expected = text.toUtf8();
    QTest::keyClick(f.edit, Qt::Key_A, Qt::ControlModifier);
    QGuiApplication::clipboard()->setText(text);
    QTest::keyClick(f.edit, Qt::Key_V, Qt::ControlModifier);
    QString wrong = firstDifference(f.edit->toPlainText().toUtf8(), expected);
    QVERIFY2(wrong.isEmpty(), qPrintable("after the paste: " + wrong));

    f.clickAll({ Bold, Italic, Under, Red });
    const QFont styled = f.edit->document()->defaultFont();
    QCOMPARE(int(styled.weight()), int(QFont::Bold));
    QCOMPARE(styled.style(), QFont::StyleItalic);
    QVERIFY(styled.underline());
    QCOMPARE(styled.pointSize(), 20);
    QCOMPARE(f.textColor(QPalette::Active), QColor(Qt::red));
    wrong = firstDifference(f.edit->toPlainText().toUtf8(), expected);
    QVERIFY2(wrong.isEmpty(), qPrintable("after styling: " + wrong));

    f.click(Clear);
    const QFont plain = f.edit->document()->defaultFont();
    QCOMPARE(int(plain.weight()), int(QFont::Normal));
    QCOMPARE(plain.style(), QFont::StyleNormal);
    QVERIFY(!plain.underline());
    QCOMPARE(f.textColor(QPalette::Active), QColor(Qt::black));
    wrong = firstDifference(f.edit->toPlainText().toUtf8(), expected);
    QVERIFY2(wrong.isEmpty(), qPrintable("after Clear: " + wrong));
}

QTEST_MAIN(tst_QWDlgManual)
#include "tst_qwdlgmanual.moc"
