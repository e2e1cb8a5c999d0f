// The yardstick for start-up and memory: what a Qt Widgets program needs at the least to
// show one line of Persian text in the program's own bundled face.
#include <QApplication>
#include <QFont>
#include <QFontDatabase>
#include <QLabel>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QFontDatabase::addApplicationFont(QStringLiteral(":/bare/Vazirmatn-FD-Bold.ttf"));
    QLabel label(QStringLiteral("نرم افزار قرعه"));
    QFont font(QStringLiteral("Vazirmatn FD"));
    font.setPixelSize(48);
    font.setBold(true);
    label.setFont(font);
    label.setWindowTitle(label.text());
    label.show();
    return app.exec();
}
