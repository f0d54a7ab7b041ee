#include "gui/output/EnlargedView.h"

#include "gui/window/Widgets.h"
#include "platform/qt/QtText.h"
#include "platform/qt/QtPictures.h"
#include "gui/result/QtCanvas.h"
#include "result/ValvePicture.h"

#include <QPixmap>
#include <QShortcut>

namespace tv::output {

EnlargedView::EnlargedView(QWidget* window, window::Session& session)
    : QObject(window), session_(session) {
    surface_ = new window::ClickLabel(window);
    surface_->setObjectName("picEnlarged");
    surface_->setFrameShape(QFrame::Box);
    surface_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    surface_->hide();
    exitPicture_ = new window::ClickLabel(surface_);
    exitPicture_->setObjectName("peExit");
    exitPicture_->hide();
    test_ = new QLabel(window);
    test_->setObjectName("prTest");
    test_->hide();
    exitPicture_->setScaledContents(true);
    connect(surface_, &window::ClickLabel::pressed, this, &EnlargedView::close);
    connect(exitPicture_, &window::ClickLabel::pressed, this, &EnlargedView::close);
    // Escape closes the view as a click does; the key is taken only while
    // the view is open, so it never stands in another screen's way.
    escape_ = new QShortcut(QKeySequence(Qt::Key_Escape), window);
    escape_->setEnabled(false);
    connect(escape_, &QShortcut::activated, this, &EnlargedView::close);
}

void EnlargedView::open(const wizard::ConfigurationRecord& record, const std::string& code) {
    surface_->show();

    result::QtCanvas canvas;
    const auto& result = session_.result;
    const auto& values = session_.values;
    const auto picture =
        result::ComposeEnlargedPicture(canvas, *session_.files, result, record, values, code, true);
    result::DrawEnlargedDimensions(canvas, *session_.files, result, record, values,
                                   session_.platform.system.decimalSeparator());
    surface_->setGeometry(session_.px(picture.geometry));
    surface_->setPixmap(QPixmap::fromImage(canvas.image()));
    surface_->raise();
    // The composition leaves the exit picture hidden; the open view shows
    // it in its top right corner, over the drawing.
    const int size = session_.px(300);
    exitPicture_->setGeometry(surface_->width() - size - session_.px(60), session_.px(60), size,
                              size);
    exitPicture_->setPixmap(platform::ReadPixmap(session_.files->locate("ExitPic.gif")));
    exitPicture_->show();
    exitPicture_->raise();
    escape_->setEnabled(true);
    test_->move(test_->x(), session_.px(picture.testTop));

    if (!values.debugMode)
        return;
    const std::filesystem::path bitmap = data::ToPath(result.reportBaseName + ".bmp");
    const platform::WriteResult saved = canvas.saveBitmap(bitmap);
    if (!saved)
        session_.platform.messages.inform("The valve picture could not be written:\r\n" +
                                          data::PathText(bitmap) + "\r\n" + saved.reason);
    else if (!saved.note.empty())
        session_.platform.messages.inform("The valve picture was written, but " + saved.note);
}

void EnlargedView::close() {
    escape_->setEnabled(false);
    surface_->hide();
    Q_EMIT closed();
}

void EnlargedView::hide() {
    escape_->setEnabled(false);
    surface_->hide();
}

bool EnlargedView::isOpen() const {
    return !surface_->isHidden();
}

} // namespace tv::output
