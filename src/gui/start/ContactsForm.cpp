#include "gui/start/ContactsForm.h"

#include "platform/qt/QtText.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace tv::start {

namespace {

// Values longer than this would come back cut from personal.ini.
constexpr int kMaxValue = 254;

QLineEdit* AddField(QGridLayout* grid, int row, const char* caption, const char* objectName,
                    const std::string& value) {
    auto* label = new QLabel(QString::fromUtf8(caption));
    auto* edit = new QLineEdit(platform::ToQString(value));
    edit->setObjectName(QString::fromLatin1(objectName));
    edit->setMaxLength(kMaxValue);
    edit->setMinimumWidth(320);
    label->setBuddy(edit);
    grid->addWidget(label, row, 0);
    grid->addWidget(edit, row, 1);
    return edit;
}

} // namespace

ContactsForm::ContactsForm(const data::CustomerDetails& details, platform::MessageBoxes& messages,
                           QWidget* parent)
    : QDialog(parent), messages_(messages) {
    setObjectName("contactsForm");
    setWindowTitle("Personal Information");
    setModal(true);

    auto* grid = new QGridLayout;
    customer_ = AddField(grid, 0, "&Customer name:", "txtCustomer", details.customer);
    company_ = AddField(grid, 1, "&Company:", "txtCompany", details.company);
    invoiceAddress_ =
        AddField(grid, 2, "&Invoice address:", "txtInvoiceAddr", details.invoiceAddress);
    deliveryAddress_ =
        AddField(grid, 3, "&Delivery address:", "txtDeliveryAddr", details.deliveryAddress);

    auto* ok = new QPushButton("OK");
    ok->setObjectName("cmdOK");
    ok->setDefault(true);
    auto* cancel = new QPushButton("Cancel");
    cancel->setObjectName("cmdCancel");
    connect(ok, &QPushButton::clicked, this, &ContactsForm::acceptIfComplete);
    connect(cancel, &QPushButton::clicked, this, &ContactsForm::reject);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    buttons->addStretch();

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addLayout(buttons);
}

data::CustomerDetails ContactsForm::details() const {
    return data::CustomerDetails{
        platform::FromQString(customer_->text()),
        platform::FromQString(company_->text()),
        platform::FromQString(invoiceAddress_->text()),
        platform::FromQString(deliveryAddress_->text()),
    };
}

void ContactsForm::acceptIfComplete() {
    if (!details().complete()) {
        messages_.inform("All fields are required!");
        return;
    }
    accept();
}

void ContactsForm::reject() {
    if (!messages_.askYesNo("Quit", "Are you sure you want to quit?"))
        return;
    quit_ = true;
    QDialog::reject();
}

} // namespace tv::start
