#include "app/AboutBox.h"

#include <QApplication>
#include <QMessageBox>
#include <QString>

void ShowAboutBox(QWidget* parent)
{
    const QString text = QStringLiteral(
        "<h3>Tarnwick %1</h3>"
        "<p>Stock technical analysis: price charts with moving averages, Bollinger bands and envelopes, "
        "volume and fifteen indicator panels, every buy and sell signal marked and the day's signals "
        "counted, for one symbol or a whole quote folder.</p>"
        "<p><b>Data.</b> Quotes come from the files of your quote folder, CSV histories you import, or the "
        "web sources of the Web box (Yahoo and Silicon Investor quote and history pages). The market "
        "pages are composed from the sites named in the hosts file; their content belongs to those sites. "
        "The sample histories come from public data sets credited in the README.</p>"
        "<p>Copyright &copy; 2026 the Tarnwick developers. All rights reserved. "
        "Built with Qt %2.</p>")
                             .arg(QStringLiteral(TARNWICK_VERSION), QString::fromLatin1(qVersion()));
    QMessageBox box(QMessageBox::NoIcon, QStringLiteral("About Tarnwick"), text, QMessageBox::Ok, parent);
    box.setTextFormat(Qt::RichText);
    box.setIconPixmap(QApplication::windowIcon().pixmap(64, 64));
    box.exec();
}
