// The logon window the object store asks for a user name and password when
// a database engine needs a logon.
#pragma once

#include <string>

#include "dialogs/ui/basic_dialog.h"
#include "objectstore/base_factory.h"

class QLineEdit;

namespace brumalis::dialogs::ui {

class TFrm_Logon : public TBasicDialog {
    Q_OBJECT
public:
    TFrm_Logon(QWidget* pOwner, bool bReadOnly);

    // Shows the window modally; true when closed with OK.
    bool LogOn();
    // The typed texts after OK, empty otherwise.
    std::string GetName() const;
    std::string GetPassword() const;

    QLineEdit* NameField() const { return v_pEdName; }
    QLineEdit* PasswordField() const { return v_pEdPassword; }

protected:
    void showEvent(QShowEvent* pEvent) override;

private:
    QLineEdit* v_pEdName;
    QLineEdit* v_pEdPassword;
    bool v_loggedOn = false;
};

// The object store's logon dialog over TFrm_Logon, owned by pOwner's window.
CTLogonDialog LogonDialog(QWidget* pOwner);

}  // namespace brumalis::dialogs::ui
