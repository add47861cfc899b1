#include "AppState.h"
#include "HidapiTransport.h"
#include "HtUsb.h"
#include "SimulatedMeter.h"
#include "SystemHidApi.h"
#include "TfrmAbout.h"
#include "TfrmMain.h"
#include "UsbTrafficLog.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QPushButton>
#include <QScreen>

#include <cstdio>
#include <memory>

namespace {

// The one place where the transport is chosen: the real meter, or the simulated one.
struct TransportChoice {
    SystemHidApi hid;
    std::unique_ptr<HtUsb> meter;
    std::unique_ptr<UsbTrafficLog> log;
};

}  // namespace

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("QX574"));
    QApplication::setApplicationName(QStringLiteral("QX574"));

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Sound level meter companion"));
    parser.addHelpOption();
    const QCommandLineOption simulate(QStringLiteral("simulate"),
                                      QStringLiteral("Talk to a simulated meter instead of the real one."));
    const QCommandLineOption usbLog(QStringLiteral("usb-log"),
                                    QStringLiteral("Write all USB traffic with the meter to <file>."),
                                    QStringLiteral("file"));
    parser.addOption(simulate);
    parser.addOption(usbLog);
    parser.process(application);

    TransportChoice transport;
    if (parser.isSet(simulate))
        transport.meter = std::make_unique<SimulatedMeter>();
    else
        transport.meter = std::make_unique<HidapiTransport>(transport.hid);
    HtUsb* chosen = transport.meter.get();
    if (parser.isSet(usbLog)) {
        transport.log = std::make_unique<UsbTrafficLog>(*transport.meter, parser.value(usbLog));
        if (!transport.log->IsOpen()) {
            std::fprintf(stderr, "Cannot write the USB traffic log %s: %s\n",
                         qPrintable(parser.value(usbLog)), qPrintable(transport.log->ErrorText()));
            return 1;
        }
        chosen = transport.log.get();
    }
    SetCurrentTransport(chosen);

    frmAbout = new TfrmAbout;
    frmAbout->setAttribute(Qt::WA_DeleteOnClose);
    frmAbout->BitBtn1()->hide();
    frmAbout->show();
    frmAbout->repaint();
    QApplication::processEvents();

    int result = 0;
    {
        TfrmMain mainWindow;
        // The frame has its full size before it is first shown, so that the windows placed
        // then fit it even before a window manager has maximised it.
        if (const QScreen* screen = QGuiApplication::primaryScreen())
            mainWindow.setGeometry(screen->availableGeometry());
        mainWindow.showMaximized();
        result = QApplication::exec();
    }
    App = AppState();
    SetCurrentTransport(nullptr);
    return result;
}
