// The base of every dialog window: a return code, a read-only mode, run-time
// translation once the most-derived constructor has built its widgets, OK
// validation, and the operations dialogs share on lists, focus and memos.
//
// Qt does itself what the base once adjusted by hand: wheel scrolling, list
// scroll extents, DPI scaling, the interface font and right-to-left mirroring
// (QApplication::setLayoutDirection). None of that is redone here.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <utility>

#include <QtWidgets/QDialog>

class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QTreeWidget;
class QTreeWidgetItem;

namespace brumalis::dialogs::ui {

class TBasicDialog : public QDialog {
    Q_OBJECT
public:
    // Runs on every dialog's widget tree right after it is built, before the
    // read-only title is formed: the program's hook translates the texts.
    using TLoadedHook = std::function<void(QWidget* pTopControl)>;
    // Answers the previous hook.
    static TLoadedHook SetLoadedHook(TLoadedHook pHook);
    static void CallLoadedHook(QWidget* pTopControl);

    // Builds a dialog in two phases: TDialog's constructor (whose first two
    // arguments are the owner and the read-only flag) makes the widgets,
    // then the loaded hook, the read-only mode, the mouse hints and
    // PostInit run on the finished tree.
    template <typename TDialog, typename... TArgs>
    static std::unique_ptr<TDialog> Create(TArgs&&... args) {
        auto pDialog = std::unique_ptr<TDialog>(new TDialog(std::forward<TArgs>(args)...));
        pDialog->Loaded();
        return pDialog;
    }

    // Shows the dialog modally; answers the return code (2 unless closed
    // with another).
    int Execute();
    int RetCode() const { return v_retCode; }
    bool ReadOnly() const { return v_readOnly; }

    // Closing with 1 (OK) asks ValidateOK first; false keeps the window
    // open. Any other code closes at once.
    void DoCloseWindow(int nRetCode);
    void Btn_OKClick() { DoCloseWindow(1); }
    void Btn_CancelClick() { DoCloseWindow(2); }
    // Esc and the window's close button cancel.
    void reject() override { Btn_CancelClick(); }

    // Enables or disables pCtl and, recursively, its child widgets; labels
    // (the passive children) only with bAlsoNonWinControls. Qt greys the
    // children of a disabled widget anyway; enabling sets each child again,
    // so one disabled on its own becomes enabled too.
    static void EnableWinControl(QWidget* pCtl, bool bEnab, bool bAlsoNonWinControls);
    // Move all or the selected items with their data; the moved items keep
    // their order at the end of the target list.
    static void MoveAllLbxItems(QListWidget* pFromLbx, QListWidget* pToLbx);
    static void MoveSelLbxItems(QListWidget* pFromLbx, QListWidget* pToLbx);
    // The same for list views (a QTreeWidget without branches): texts of
    // every column, data, icons and check marks go along.
    static void CopyListItem(const QTreeWidgetItem* pFrom, QTreeWidget* pTo);
    static void MoveAllLvwItems(QTreeWidget* pFromLvw, QTreeWidget* pToLvw);
    static void MoveSelLvwItems(QTreeWidget* pFromLvw, QTreeWidget* pToLvw);
    // Every column as wide as its widest caption or cell plus a margin,
    // capped at nMaxColW unless that is 0.
    static void CalculateListColumnWidths(QTreeWidget* pLvw, int nMaxColW);
    // Activates every tab page on the way up and focuses pCtl (a compound
    // control focuses its focus proxy, e.g. its first edit field); nothing
    // when a page on the way is hidden or the window is not shown.
    static void SafeFocusControl(QWidget* pCtl);
    // The text in the memo, the memo as high as its lines up to nMaxLines,
    // then with a vertical scroll bar.
    static void ShowInMemo(const std::string& szStr, QPlainTextEdit* pMemo, int nMaxLines);
    // Makes pEdit a numeric field: every user edit cleaned, caret kept.
    static void NrField(QLineEdit* pEdit);
    // Every widget of pForm reports entering by focus and by the mouse to
    // the form's bottom panel, which shows the widget's hint.
    static void InitMouseHints(QWidget* pForm);

protected:
    TBasicDialog(QWidget* pOwner, bool bReadOnly);

    // OK's check; false keeps the window open (the check shows why).
    virtual bool ValidateOK() { return true; }
    // The dialog's own work once translated and set up.
    virtual void PostInit() {}

private:
    void Loaded();

    int v_retCode = 2;
    bool v_readOnly;
};

}  // namespace brumalis::dialogs::ui
