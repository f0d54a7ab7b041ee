#pragma once

#include "data/CustomerDetails.h"
#include "platform/MessageBoxes.h"

#include <QDialog>

class QLineEdit;

namespace tv::start {

// The customer-details dialog of every start: four fields, OK and Cancel.
// Cancel, Escape and the window's close control all ask whether to quit;
// only Yes ends the program, and nothing is written then.
class ContactsForm : public QDialog {
    Q_OBJECT
public:
    ContactsForm(const data::CustomerDetails& details, platform::MessageBoxes& messages,
                 QWidget* parent = nullptr);

    data::CustomerDetails details() const;

    // True once the user has answered Yes to the quit question.
    bool quitRequested() const { return quit_; }

    void reject() override;

private:
    void acceptIfComplete();

    platform::MessageBoxes& messages_;
    QLineEdit* customer_;
    QLineEdit* company_;
    QLineEdit* invoiceAddress_;
    QLineEdit* deliveryAddress_;
    bool quit_ = false;
};

} // namespace tv::start
