#include "form.h"

#include "focushighlight.h"
#include "guard.h"
#include "leavewatch.h"
#include "messages.h"
#include "modalruns.h"
#include "outputs.h"
#include "sheet.h"
#include "store/actionscope.h"
#include "tabchain.h"
#include "wholecharacters.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

Form::Form(const QString& objectName, const QString& caption, QWidget* parent)
    : QDialog(parent) {
    setObjectName(objectName);
    setWindowTitle(caption);
    auto* outer = new QVBoxLayout(this);
    m_header = new QWidget(this);
    m_header->setObjectName(QStringLiteral("header"));
    auto* headerLayout = new QHBoxLayout(m_header);
    headerLayout->setContentsMargins(0, 0, 0, 0);
    outer->addWidget(m_header);
    m_body = new QVBoxLayout;
    outer->addLayout(m_body, 1);
}

Form::~Form() {
    // The watches go first: should deleting the controls below move the focus, their
    // handlers would run on the part of this window that is gone already.
    const auto watches = findChildren<LeaveWatch*>();
    qDeleteAll(watches);
}

namespace {

// Holds the leavings of a window's controls while it lives.
class LeavesHeld {
public:
    explicit LeavesHeld(int& count)
        : m_count(count) {
        ++m_count;
    }
    ~LeavesHeld() { --m_count; }
    LeavesHeld(const LeavesHeld&) = delete;
    LeavesHeld& operator=(const LeavesHeld&) = delete;

private:
    int& m_count;
};

} // namespace

void Form::watchLeave(QWidget* control, std::function<void()> handler) {
    LeaveWatch::watch(control, [this, handler = std::move(handler)] {
        if (m_leavesHeld > 0)
            return true;
        LeavesHeld held(m_leavesHeld);
        return guard(handler);
    });
}

QLabel* Form::headerLabel(const QString& name, const QString& text, qreal scale) {
    auto* label = new QLabel(text, m_header);
    label->setObjectName(name);
    QFont f = label->font();
    f.setPointSizeF(f.pointSizeF() * scale);
    f.setBold(scale > 1);
    label->setFont(f);
    return label;
}

QLabel* Form::screenNumber(const QString& name, const QString& number) {
    QLabel* label = headerLabel(name, number, 0.8);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    static_cast<QHBoxLayout*>(m_header->layout())->insertWidget(0, label, 0, Qt::AlignTop);
    return label;
}

QLabel* Form::title(const QString& name, const QString& text) {
    QLabel* label = headerLabel(name, text, 1.4);
    label->setAlignment(Qt::AlignCenter);
    static_cast<QHBoxLayout*>(m_header->layout())->addWidget(label, 1);
    return label;
}

QLabel* Form::parameter(const QString& name, const QString& text) {
    auto* label = make<QLabel>(name, text);
    label->setVisible(false);
    return label;
}

QPushButton* Form::button(const QString& name, const QString& caption) {
    return make<QPushButton>(name, caption);
}

QHBoxLayout* Form::row(std::initializer_list<QWidget*> controls, Qt::Alignment align) {
    auto* line = new QHBoxLayout;
    if (align & (Qt::AlignRight | Qt::AlignHCenter))
        line->addStretch(1);
    for (QWidget* w : controls)
        line->addWidget(w);
    if (align & (Qt::AlignLeft | Qt::AlignHCenter))
        line->addStretch(1);
    m_body->addLayout(line);
    return line;
}

QFormLayout* Form::fields(std::initializer_list<std::pair<QLabel*, QWidget*>> rows) {
    auto* form = new QFormLayout;
    for (const auto& [label, box] : rows) {
        caption(label, box);
        form->addRow(label, box);
    }
    return form;
}

QLineEdit* Form::readOnlyBox(const QString& name) {
    auto* box = make<QLineEdit>(name);
    box->setReadOnly(true);
    return box;
}

QPlainTextEdit* Form::readOnlyMemo(const QString& name, int lines) {
    auto* memo = make<QPlainTextEdit>(name);
    memo->setReadOnly(true);
    memo->setMaximumHeight(fontMetrics().lineSpacing() * lines + 2 * memo->frameWidth() + 8);
    return memo;
}

void Form::caption(QLabel* label, QWidget* box) {
    label->setBuddy(box);
    const QString name = QString(label->text()).remove(u'&');
    box->setAccessibleName(name);
    if (auto* combo = qobject_cast<QComboBox*>(box); combo && combo->lineEdit())
        combo->lineEdit()->setAccessibleName(name);
}

void Form::caption(QLabel* label, const QList<QWidget*>& boxes) {
    bool first = true;
    for (QWidget* box : boxes) {
        if (!box)
            continue;
        if (first)
            caption(label, box);
        else
            box->setAccessibleName(QString(label->text()).remove(u'&'));
        first = false;
    }
}

void Form::setReactivation(bool afterBoxes, bool afterWindows) {
    m_afterBoxes = afterBoxes;
    m_afterWindows = afterWindows;
}

bool Form::guard(const std::function<void()>& action) {
    return runGuarded(this, action);
}

void Form::activate(QWidget* over) {
    runGuarded(over ? over : this, [this] { FormActivate(); });
}

int Form::showModal(QWidget* opener) {
    // The window is not shown yet: an error of its activation shows over the opener.
    activate(opener);
    return ModalRuns::run(*this);
}

int Form::open(Form* child) {
    int result = 0;
    {
        ActionPause pause;
        LeavesHeld held(m_leavesHeld);
        result = child->showModal(this);
    }
    reactivate(false);
    return result;
}

void Form::reactivate(bool afterBox) {
    if (afterBox ? m_afterBoxes : m_afterWindows)
        FormActivate(); // inside the handler's own guard
}

void Form::dialog(const std::function<void()>& show) {
    ActionScope::checkpoint(); // no lock is held while a person reads the box
    LeavesHeld held(m_leavesHeld);
    show();
}

void Form::box(const std::function<void()>& show) {
    dialog(show);
    reactivate(true);
}

QString Form::chooseFile(const QString& caption, const QString& suggested, const QString& filters) {
    QString path;
    dialog([&] { path = Outputs::saveFileName(this, caption, suggested, filters); });
    return path;
}

QString Form::chooseFileToRead(const QString& caption, const QString& filters) {
    QString path;
    dialog([&] { path = Outputs::openFileName(this, caption, filters); });
    return path;
}

void Form::printPreview(const std::function<void(QPrinter*)>& paint) {
    dialog([&] { Outputs::printPreview(this, paint); });
}

void Form::printSheet(const Sheet& sheet) {
    printPreview([&sheet](QPrinter* printer) { sheet.print(printer); });
}

void Form::exportSheet(const Sheet& sheet, const QString& suggestedName) {
    const QString path =
        chooseFile(QStringLiteral("Exportar"), suggestedName,
                   QStringLiteral("PDF (*.pdf);;CSV para hojas de cálculo (*.csv)"));
    if (!path.isEmpty())
        sheet.save(path);
}

void Form::inform(const QString& text) {
    box([&] { Messages::information(this, text); });
}

bool Form::confirm(const QString& text) {
    bool yes = false;
    box([&] { yes = Messages::question(this, text); });
    return yes;
}

void Form::error(const QString& text) {
    box([&] { Messages::error(this, text); });
}

void Form::keys(QAbstractButton* enter, QAbstractButton* escape) {
    m_enter = enter;
    m_escape = escape;
}

void Form::tabOrder(QWidget* before, QWidget* after) {
    m_tabOrder.append(std::make_pair(QPointer<QWidget>(before), QPointer<QWidget>(after)));
}

bool Form::press(QAbstractButton* button) {
    if (!button || !button->isVisible() || !button->isEnabled())
        return false;
    button->click();
    return true;
}

namespace {

bool isEnter(const QKeyEvent* key) {
    return (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) &&
           (key->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
}

} // namespace

bool Form::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress && isEnter(static_cast<QKeyEvent*>(event))) {
        // Enter on a button presses it, as Space does.
        auto* pressed = qobject_cast<QAbstractButton*>(watched);
        if (pressed && !pressed->isCheckable() && pressed->window() == this) {
            press(pressed);
            return true;
        }
        if (m_ownEnter.contains(watched))
            m_enterOwned = static_cast<QKeyEvent*>(event);
    }
    return QDialog::eventFilter(watched, event);
}

void Form::keyPressEvent(QKeyEvent* event) {
    // Escape does not close a window by itself: it presses the window's leaving button,
    // when it has one it can press; a window without one closes if it says so.
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        if (m_escape)
            press(m_escape);
        else if (m_escapeCloses)
            close();
        event->accept();
        return;
    }
    // Enter reaches the window when the box it was pressed in did not take it.
    if (isEnter(event)) {
        const bool owned = event == m_enterOwned;
        m_enterOwned = nullptr;
        if (!owned)
            press(m_enter);
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void Form::setOpeningSize(int width, int height) {
    m_openingSize = QSize(width, height);
    resize(m_openingSize);
}

void Form::setVisible(bool visible) {
    // Sized before the dialog places itself on the screen, the first time only: a window
    // the user has made larger or smaller keeps that size for the rest of the run.
    if (visible && !isVisible() && m_openingSize.isValid()) {
        const QScreen* screen = parentWidget() ? parentWidget()->screen() : this->screen();
        QSize size = m_openingSize;
        if (screen)
            size = size.boundedTo(screen->availableGeometry().size() - frameAllowance());
        resize(size.expandedTo(minimumSizeHint()));
        m_openingSize = QSize();
    }
    QDialog::setVisible(visible);
}

void Form::showEvent(QShowEvent* event) {
    // Each time, as a window may have gained controls since it was last shown. Enter in a
    // box does not press a button: only the windows' own keys act.
    for (QPushButton* b : findChildren<QPushButton*>())
        if (!b->isDefault())
            b->setAutoDefault(false);
    FocusHighlight::install(this);
    WholeCharacters::install(this);
    TabChain::install(this);
    for (const auto& [before, after] : m_tabOrder)
        if (before && after)
            setTabOrder(before, after);
    for (QAbstractButton* b : findChildren<QAbstractButton*>()) {
        b->removeEventFilter(this);
        b->installEventFilter(this);
    }
    for (const QPointer<QObject>& own : m_ownEnter)
        if (own) {
            own->removeEventFilter(this);
            own->installEventFilter(this);
        }
    QDialog::showEvent(event);
}
