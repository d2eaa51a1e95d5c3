#include "localisation/ui/widget_translation.h"

#include <QAbstractButton>
#include <QAction>
#include <QComboBox>
#include <QDockWidget>
#include <QFileDialog>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QStackedWidget>
#include <QTabWidget>
#include <QTableWidget>
#include <QTextEdit>
#include <QToolButton>
#include <QTreeWidget>

#include "localisation/file_filter.h"

namespace brumalis::ui {
namespace {

constexpr const char* kRadioGroupProperty = "brumalisRadioGroup";
constexpr const char* kFilterProperty = "brumalisFilter";

QString Q(const std::string& sz) { return QString::fromUtf8(sz.data(), static_cast<qsizetype>(sz.size())); }
std::string S(const QString& sz) { return sz.toUtf8().toStdString(); }

std::vector<QRadioButton*> RadioItems(const QGroupBox& group) {
    const QList<QRadioButton*> radios = group.findChildren<QRadioButton*>(Qt::FindDirectChildrenOnly);
    return {radios.begin(), radios.end()};
}

bool IsRadioGroup(const QObject& object) { return object.property(kRadioGroupProperty).toBool(); }

// The tab widget showing page as one of its tabs, if any.
QTabWidget* TabWidgetOf(const QWidget& page) {
    QWidget* pStack = page.parentWidget();
    if (!qobject_cast<QStackedWidget*>(pStack)) return nullptr;
    return qobject_cast<QTabWidget*>(pStack->parentWidget());
}

TComponentKind KindOf(const QObject& object) {
    if (qobject_cast<const QFileDialog*>(&object)) return TComponentKind::FileDialog;
    if (qobject_cast<const QComboBox*>(&object)) return TComponentKind::ComboBox;
    if (qobject_cast<const QListWidget*>(&object)) return TComponentKind::ListBox;
    if (qobject_cast<const QGroupBox*>(&object) && IsRadioGroup(object)) return TComponentKind::RadioGroup;
    if (qobject_cast<const QTreeWidget*>(&object) || qobject_cast<const QTableWidget*>(&object)) {
        return TComponentKind::ListView;
    }
    if (qobject_cast<const QPlainTextEdit*>(&object) || qobject_cast<const QTextEdit*>(&object)) {
        return TComponentKind::Memo;
    }
    const auto* pWidget = qobject_cast<const QWidget*>(&object);
    if (pWidget && pWidget->isWindow()) return TComponentKind::Form;
    return TComponentKind::Other;
}

// The widgets whose children are the toolkit's own parts, not the form's.
bool HasOwnParts(TComponentKind kind) {
    return kind == TComponentKind::FileDialog || kind == TComponentKind::ComboBox ||
           kind == TComponentKind::ListBox || kind == TComponentKind::ListView || kind == TComponentKind::Memo;
}

std::optional<QString> Caption(const QObject& object) {
    if (const auto* pAction = qobject_cast<const QAction*>(&object)) return pAction->text();
    if (const auto* pToolButton = qobject_cast<const QToolButton*>(&object)) {
        // A tool bar's button shows its action's text: the action is translated.
        if (pToolButton->defaultAction()) return std::nullopt;
    }
    if (const auto* pButton = qobject_cast<const QAbstractButton*>(&object)) return pButton->text();
    if (const auto* pLabel = qobject_cast<const QLabel*>(&object)) return pLabel->text();
    if (const auto* pGroup = qobject_cast<const QGroupBox*>(&object)) return pGroup->title();
    if (const auto* pMenu = qobject_cast<const QMenu*>(&object)) return pMenu->title();
    const auto* pWidget = qobject_cast<const QWidget*>(&object);
    if (!pWidget) return std::nullopt;
    if (const QTabWidget* pTabs = TabWidgetOf(*pWidget)) return pTabs->tabText(pTabs->indexOf(pWidget));
    if (pWidget->isWindow() || qobject_cast<const QDockWidget*>(pWidget)) return pWidget->windowTitle();
    return std::nullopt;
}

void SetCaption(QObject& object, const QString& sz) {
    if (auto* pAction = qobject_cast<QAction*>(&object)) return pAction->setText(sz);
    if (auto* pButton = qobject_cast<QAbstractButton*>(&object)) return pButton->setText(sz);
    if (auto* pLabel = qobject_cast<QLabel*>(&object)) return pLabel->setText(sz);
    if (auto* pGroup = qobject_cast<QGroupBox*>(&object)) return pGroup->setTitle(sz);
    if (auto* pMenu = qobject_cast<QMenu*>(&object)) return pMenu->setTitle(sz);
    auto* pWidget = qobject_cast<QWidget*>(&object);
    if (!pWidget) return;
    if (QTabWidget* pTabs = TabWidgetOf(*pWidget)) return pTabs->setTabText(pTabs->indexOf(pWidget), sz);
    pWidget->setWindowTitle(sz);
}

std::optional<QString> Hint(const QObject& object) {
    // An action without a tool tip answers its text: its status tip is the hint.
    if (const auto* pAction = qobject_cast<const QAction*>(&object)) return pAction->statusTip();
    const auto* pWidget = qobject_cast<const QWidget*>(&object);
    if (!pWidget) return std::nullopt;
    if (const QTabWidget* pTabs = TabWidgetOf(*pWidget)) return pTabs->tabToolTip(pTabs->indexOf(pWidget));
    return pWidget->toolTip();
}

void SetWidgetHint(QObject& object, const QString& sz) {
    if (auto* pWidget = qobject_cast<QWidget*>(&object)) {
        if (QTabWidget* pTabs = TabWidgetOf(*pWidget)) return pTabs->setTabToolTip(pTabs->indexOf(pWidget), sz);
    }
    object.setProperty("toolTip", sz);
    object.setProperty("statusTip", sz);
}

class CTQtComponent : public CTTranslatableComponent {
public:
    explicit CTQtComponent(QObject& object) : v_object(object), v_kind(KindOf(object)) {}

    TComponentKind Kind() const override { return v_kind; }

    std::optional<std::string> GetText(std::string_view szProperty) const override {
        std::optional<QString> text;
        if (szProperty == "Hint") {
            text = Hint(v_object);
        } else if (szProperty == "Caption" && v_kind != TComponentKind::FileDialog) {
            text = Caption(v_object);
        } else if (szProperty == "Title" && v_kind == TComponentKind::FileDialog) {
            text = Dialog().windowTitle();
        } else if (szProperty == "Filter" && v_kind == TComponentKind::FileDialog) {
            text = v_object.property(kFilterProperty).toString();
        }
        if (!text) return std::nullopt;
        return S(*text);
    }

    void SetText(std::string_view szProperty, const std::string& szValue) override {
        if (szProperty == "Hint") {
            SetWidgetHint(v_object, Q(szValue));
        } else if (szProperty == "Caption") {
            SetCaption(v_object, Q(szValue));
        } else if (szProperty == "Title") {
            Dialog().setWindowTitle(Q(szValue));
        } else if (szProperty == "Filter") {
            SetFileDialogFilter(Dialog(), szValue);
        }
    }

    std::vector<std::string> GetItems() const override {
        std::vector<std::string> items;
        if (auto* pCombo = qobject_cast<QComboBox*>(&v_object)) {
            for (int i = 0; i < pCombo->count(); ++i) items.push_back(S(pCombo->itemText(i)));
        } else if (auto* pList = qobject_cast<QListWidget*>(&v_object)) {
            for (int i = 0; i < pList->count(); ++i) items.push_back(S(pList->item(i)->text()));
        } else if (v_kind == TComponentKind::RadioGroup) {
            for (QRadioButton* pRadio : RadioItems(Group())) items.push_back(S(pRadio->text()));
        } else if (auto* pTree = qobject_cast<QTreeWidget*>(&v_object)) {
            for (int i = 0; i < pTree->columnCount(); ++i) items.push_back(S(pTree->headerItem()->text(i)));
        } else if (auto* pTable = qobject_cast<QTableWidget*>(&v_object)) {
            for (int i = 0; i < pTable->columnCount(); ++i) {
                const QTableWidgetItem* pHeader = pTable->horizontalHeaderItem(i);
                items.push_back(pHeader ? S(pHeader->text()) : std::string());
            }
        } else if (v_kind == TComponentKind::Memo) {
            for (const QString& line : MemoText().split(QLatin1Char('\n'))) items.push_back(S(line));
        }
        return items;
    }

    // Texts replaced in place, so the selection stays as it was.
    void SetItems(const std::vector<std::string>& items) override {
        const auto count = static_cast<int>(items.size());
        if (auto* pCombo = qobject_cast<QComboBox*>(&v_object)) {
            for (int i = 0; i < std::min(count, pCombo->count()); ++i) pCombo->setItemText(i, Q(items[i]));
        } else if (auto* pList = qobject_cast<QListWidget*>(&v_object)) {
            for (int i = 0; i < std::min(count, pList->count()); ++i) pList->item(i)->setText(Q(items[i]));
        } else if (v_kind == TComponentKind::RadioGroup) {
            const std::vector<QRadioButton*> radios = RadioItems(Group());
            for (std::size_t i = 0; i < std::min(items.size(), radios.size()); ++i) radios[i]->setText(Q(items[i]));
        } else if (auto* pTree = qobject_cast<QTreeWidget*>(&v_object)) {
            for (int i = 0; i < std::min(count, pTree->columnCount()); ++i) pTree->headerItem()->setText(i, Q(items[i]));
        } else if (auto* pTable = qobject_cast<QTableWidget*>(&v_object)) {
            for (int i = 0; i < std::min(count, pTable->columnCount()); ++i) {
                if (QTableWidgetItem* pHeader = pTable->horizontalHeaderItem(i)) pHeader->setText(Q(items[i]));
            }
        } else if (v_kind == TComponentKind::Memo) {
            QStringList lines;
            for (const std::string& line : items) lines.push_back(Q(line));
            SetMemoText(lines.join(QLatin1Char('\n')));
        }
    }

    int GetItemIndex() const override {
        if (auto* pCombo = qobject_cast<QComboBox*>(&v_object)) return pCombo->currentIndex();
        if (auto* pList = qobject_cast<QListWidget*>(&v_object)) return pList->currentRow();
        if (v_kind == TComponentKind::RadioGroup) {
            const std::vector<QRadioButton*> radios = RadioItems(Group());
            for (std::size_t i = 0; i < radios.size(); ++i) {
                if (radios[i]->isChecked()) return static_cast<int>(i);
            }
        }
        return -1;
    }

    void SetItemIndex(int nIndex) override {
        if (auto* pCombo = qobject_cast<QComboBox*>(&v_object)) return pCombo->setCurrentIndex(nIndex);
        if (auto* pList = qobject_cast<QListWidget*>(&v_object)) return pList->setCurrentRow(nIndex);
        if (v_kind == TComponentKind::RadioGroup) {
            const std::vector<QRadioButton*> radios = RadioItems(Group());
            if (nIndex >= 0 && nIndex < static_cast<int>(radios.size())) radios[nIndex]->setChecked(true);
        }
    }

    std::vector<CTTranslatableComponent*> OwnedComponents() const override {
        if (v_children.empty() && !HasOwnParts(v_kind)) {
            for (QObject* pChild : v_object.children()) {
                if (!pChild->isWidgetType() && !qobject_cast<QAction*>(pChild)) continue;
                if (v_kind == TComponentKind::RadioGroup && qobject_cast<QRadioButton*>(pChild)) continue;
                v_children.push_back(std::make_unique<CTQtComponent>(*pChild));
            }
        }
        std::vector<CTTranslatableComponent*> owned;
        for (const auto& pChild : v_children) owned.push_back(pChild.get());
        return owned;
    }

private:
    QFileDialog& Dialog() const { return static_cast<QFileDialog&>(v_object); }
    QGroupBox& Group() const { return static_cast<QGroupBox&>(v_object); }
    QString MemoText() const {
        if (auto* pPlain = qobject_cast<QPlainTextEdit*>(&v_object)) return pPlain->toPlainText();
        return static_cast<QTextEdit&>(v_object).toPlainText();
    }
    void SetMemoText(const QString& sz) {
        if (auto* pPlain = qobject_cast<QPlainTextEdit*>(&v_object)) return pPlain->setPlainText(sz);
        static_cast<QTextEdit&>(v_object).setPlainText(sz);
    }

    QObject& v_object;
    TComponentKind v_kind;
    mutable std::vector<std::unique_ptr<CTQtComponent>> v_children;
};

}  // namespace

void MarkAsRadioGroup(QGroupBox& group) { group.setProperty(kRadioGroupProperty, true); }

void SetHint(QObject& object, const std::string& szHint) { SetWidgetHint(object, Q(szHint)); }

void SetFileDialogFilter(QFileDialog& dialog, const std::string& szFilter) {
    dialog.setProperty(kFilterProperty, Q(szFilter));
    dialog.setNameFilters(Q(NameFiltersFromFilter(szFilter)).split(QStringLiteral(";;")));
}

std::unique_ptr<CTTranslatableComponent> TranslatableTree(QObject& top) { return std::make_unique<CTQtComponent>(top); }

void TranslateWidgets(const CTGlossary& glossary, QObject& top) {
    const std::unique_ptr<CTTranslatableComponent> pTree = TranslatableTree(top);
    TranslateFormAtRuntime(glossary, *pTree);
}

}  // namespace brumalis::ui
