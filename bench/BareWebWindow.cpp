// The yardstick of bench/startup.sh: the least a program with a web view
// does before its window shows. A window holding a QWebEngineView, started
// as the program starts its browser view, with an empty page.
#include <QApplication>
#include <QWebEngineView>

int main(int argc, char** argv)
{
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication application(argc, argv);
    QWebEngineView view;
    view.setHtml(QStringLiteral("<html><body></body></html>"));
    view.resize(1024, 768);
    view.show();
    return QApplication::exec();
}
