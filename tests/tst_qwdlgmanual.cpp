#include "qwdlgmanual.h"

#include <QApplication>
#include <QCheckBox>
#include <QHBoxLayout>
#include <QMetaMethod>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QStyle>
#include <QStyleOptionButton>
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
    QCOMPARE(children.size(), 10);

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
    QCOMPARE(font.weight(), int(QFont::Normal));
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
    QCOMPARE(font.weight(), int(bold ? QFont::Bold : QFont::Normal));
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

    QCOMPARE(finished.count(), 1);
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
    QCOMPARE(mo->methodCount() - mo->methodOffset(), slotsInOrder.size());
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

QTEST_MAIN(tst_QWDlgManual)
#include "tst_qwdlgmanual.moc"
