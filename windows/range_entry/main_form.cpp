#include "windows/range_entry/main_form.h"

#include "app/trace.h"
#include "engine/conversions.h"
#include "windows/draw/form1.h"
#include "windows/range_entry/message_box.h"
#include "windows/range_entry/start_keys.h"

#include <QAction>
#include <QValidator>
#include <algorithm>

namespace {
// A bound is handed to the stage as exactly this many characters, zeros in front.
constexpr qsizetype BoundLength = 6;

const QString& boundsPrompt() {
    static const QString text = QStringLiteral("محدوده اعداد درست وارد کنيد");
    return text;
}

const QString& boundsTitle() {
    static const QString text = QStringLiteral("خطاي ورود اعداد");
    return text;
}

// A Persian keyboard types the digit row as U+06F0 to U+06F9, and Arabic text carries
// U+0660 to U+0669: to the operator both are the digits 0 to 9. They are held as 0 to 9,
// which the fields' face draws in Persian shapes like every other digit; -1 for any other
// character.
int persianDigitValue(int code) {
    if (code >= 0x06F0 && code <= 0x06F9)
        return code - 0x06F0;
    if (code >= 0x0660 && code <= 0x0669)
        return code - 0x0660;
    return -1;
}

// Both bound fields take typed digits and nothing else.
void keepDigitsOnly(int& KeyAscii) {
    if (const int value = persianDigitValue(KeyAscii); value >= 0)
        KeyAscii = '0' + value;
    static const QString digits = QStringLiteral("0123456789");
    if (!digits.contains(QChar(char16_t(KeyAscii))))
        KeyAscii = 0;
}

// Text that reaches a bound field other than by typing (pasted, dropped, given by an
// input method) keeps whatever it holds, but its Persian and Arabic digits become 0 to 9
// like typed ones. It is always acceptable: nothing else about the text is judged here.
class LatinDigits : public QValidator {
  public:
    using QValidator::QValidator;
    State validate(QString& input, int&) const override {
        for (QChar& c : input)
            if (const int value = persianDigitValue(c.unicode()); value >= 0)
                c = QChar(u'0' + value);
        return Acceptable;
    }
};

// Puts one "0" in front of the field's text for every character it lacks; the count is
// taken once, before the first zero. A text of six or more characters stays as it is.
void fillWithZeros(TextBox* field) {
    const qsizetype missing = BoundLength - field->text().size();
    for (qsizetype i = 0; i < missing; ++i)
        field->setText(QLatin1Char('0') + field->text());
}

bool onlyDigits(const QString& text) {
    return std::all_of(text.cbegin(), text.cend(),
                       [](QChar c) { return c >= QLatin1Char('0') && c <= QLatin1Char('9'); });
}
} // namespace

MainForm& mainForm() {
    static MainForm instance;
    return instance;
}

void MainForm::connectHandlers() {
    Text1()->setKeyPressHandler([this](int& key) { Text1_KeyPress(key); });
    Text2()->setKeyPressHandler([this](int& key) { Text2_KeyPress(key); });
    on(Label2(), &Label::clicked, [this] { Label2_Click(); });
    on(start_keys::install(*this), &QAction::triggered, [this] { Label2_Click(); });
    on(about(), &QAction::triggered, [this] { about_Click(); });
    on(winners(), &QAction::triggered, [this] { winners_Click(); });
}

void MainForm::Form_Load() {
    Text1()->setValidator(new LatinDigits(Text1()));
    Text2()->setValidator(new LatinDigits(Text2()));
    // A screen reader names each bound field by the word an operator would say for it.
    Text1()->setAccessibleName(QStringLiteral("از"));
    Text2()->setAccessibleName(QStringLiteral("تا"));
    // The lists are disabled and labels take no focus, so the lower bound is where typing
    // starts.
    Text1()->setFocus();
    // Activation selects the draw's setting too, but a window system may never report the
    // window active (focus-stealing prevention can refuse it). Without a selection a
    // hand-off would carry spin count 0, which never settles, and ticks of 0 ms.
    selectDrawSetting();
    // The winners window is a key away, so the operator need not reach for the mouse.
    winners()->setShortcut(QKeySequence(Qt::Key_F8));
}

void MainForm::Form_Activate() {
    // Every return from the stage or the about window shows the one setting a draw uses.
    selectDrawSetting();
}

void MainForm::selectDrawSetting() {
    // Five spins per digit at medium speed.
    Combo2()->setCurrentIndex(0);
    Combo3()->setCurrentIndex(1);
}

void MainForm::Text1_KeyPress(int& KeyAscii) {
    keepDigitsOnly(KeyAscii);
}

void MainForm::Text2_KeyPress(int& KeyAscii) {
    keepDigitsOnly(KeyAscii);
}

void MainForm::Label2_Click() {
    // Typing lets only digits in, but the field's context menu can paste anything. A
    // bound with other characters in it is compared by its leading number, yet the draw
    // reads it digit by digit and could find no admissible digit at some position, so
    // such bounds are refused instead of starting a draw that cannot finish. They stay as
    // the operator pasted them, to be mended: zeros put in front would only hide what was
    // pasted.
    if (!onlyDigits(Text1()->text()) || !onlyDigits(Text2()->text())) {
        message_box::ok(boundsPrompt(), boundsTitle(), window());
        return;
    }

    if (TextToNumber(Text2()->text()) < TextToNumber(Text1()->text()))
        message_box::ok(boundsPrompt(), boundsTitle(), window());

    // The operator sees the bounds as the stage will get them, whatever happens next.
    fillWithZeros(Text1());
    fillWithZeros(Text2());
    trace::line(QStringLiteral("bounds %1 %2").arg(Text1()->text(), Text2()->text()));

    const double lower = TextToNumber(Text1()->text());
    const double upper = TextToNumber(Text2()->text());
    if (!(lower < upper))
        return;

    // The stage reads its parameters from these captions; all five are written before it
    // is shown, so its activation and the draw see the new values.
    Form1& stage = form1();
    stage.Label8()->setCaption(Text1()->text());
    stage.Label9()->setCaption(Text2()->text());
    stage.Label10()->setCaption(NumberToText(TextToNumber(Combo2()->currentText())));
    stage.Label14()->setCaption(Combo3()->currentText());
    stage.Label11()->setCaption(NumberToText(double(Combo3()->currentIndex()) + 1));
    trace::line(QStringLiteral("handed over %1 %2").arg(Text1()->text(), Text2()->text()));
    stage.Show();
}
