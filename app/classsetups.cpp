#include "app/classsetups.h"

#include "app/qvzchartwindow.h"
#include "app/qvzeventmdi.h"
#include "app/qvzeventwindow.h"
#include "app/qvzresultswindow.h"
#include "devices/qvscoreboards.h"
#include "foundation/kserialport.h"
#include "foundation/ksocket.h"
#include "imaging/ui/yzalignwindow.h"
#include "imaging/ui/yzcameradialog.h"
#include "imaging/ui/yzhardwarebar.h"
#include "imaging/ui/yzhardwarewindow.h"
#include "imaging/ui/yzimagepane.h"
#include "imaging/ui/yzimagewindow.h"
#include "imaging/ui/yzremotepane.h"
#include "imaging/ui/yzremotewindow.h"
#include "imaging/yimage.h"
#include "model/qvresultsview.h"
#include "model/ytime.h"
#include "toolkit/kzfonttable.h"

namespace {

constexpr ClassStep kSetups[] = {
    // One set-up of the image code makes its gray-level table and its frame pool.
    {"image gray table and frame pool", [](const ClassStepContext&) { YImage::InitClass(); }},
    {"serial-port list",
     [](const ClassStepContext& context) {
       if (context.probeSerialPorts) {
         KSerialPort::EnumeratePorts();
       }
     }},
    {"sockets", [](const ClassStepContext&) { KSocketStartup(); }},
    {"time presets and separators", [](const ClassStepContext&) { YTime::Setup(); }},
    {"image print settings", [](const ClassStepContext&) { YImage::LoadSettings(); }},
    {"scoreboard configuration and scripts",
     [](const ClassStepContext& context) { QvScoreboards::Setup(context.programFolder); }},
    {"results-view special lengths", [](const ClassStepContext&) { QvResultsView::Setup(); }},
    {"event window status bitmaps", [](const ClassStepContext&) { QvZEventWindow::SetupClass(); }},
    {"results window", [](const ClassStepContext&) { QvZResultsWindow::SetupClass(); }},
    {"chart window", [](const ClassStepContext&) { QvZChartWindow::SetupClass(); }},
    {"image window bitmaps", [](const ClassStepContext&) { YZImageWindow::Register(); }},
    {"image printer",
     [](const ClassStepContext& context) {
       YZImagePane::InitClass(context.programFolder, context.dataOutFolder, context.noOverlay);
     }},
    {"event window layout", [](const ClassStepContext&) { QvZEventMDI::SetupClass(); }},
    {"hardware window bitmaps", [](const ClassStepContext&) { YZHardwareWindow::Register(); }},
    {"alignment window", [](const ClassStepContext&) { YZAlignWindow::Register(); }},
    {"remote-control window and pane",
     [](const ClassStepContext&) {
       YZRemoteWindow::Register();
       YZRemotePane::Register();
     }},
    {"hardware tool-bar bitmaps", [](const ClassStepContext&) { YZHardwareBar::Register(); }},
    {"camera dialog", [](const ClassStepContext&) { YZCameraDialog::Register(); }},
};

constexpr ClassStep kCleanups[] = {
    {"camera dialog", [](const ClassStepContext&) { YZCameraDialog::Unregister(); }},
    {"hardware tool-bar bitmaps", [](const ClassStepContext&) { YZHardwareBar::Unregister(); }},
    {"remote-control pane bitmaps", [](const ClassStepContext&) { YZRemotePane::Unregister(); }},
    {"remote-control window", [](const ClassStepContext&) { YZRemoteWindow::Unregister(); }},
    {"alignment window", [](const ClassStepContext&) { YZAlignWindow::Unregister(); }},
    {"hardware window bitmaps", [](const ClassStepContext&) { YZHardwareWindow::Unregister(); }},
    // The layout entries stay in the settings, to be saved with them: nothing to undo.
    {"event window layout", [](const ClassStepContext&) {}},
    {"image printer", [](const ClassStepContext&) { YZImagePane::ExitClass(); }},
    {"image window bitmaps", [](const ClassStepContext&) { YZImageWindow::Unregister(); }},
    {"results window", [](const ClassStepContext&) { QvZResultsWindow::CleanupClass(); }},
    {"chart window", [](const ClassStepContext&) { QvZChartWindow::CleanupClass(); }},
    {"event window status bitmaps", [](const ClassStepContext&) { QvZEventWindow::CleanupClass(); }},
    {"image print colour", [](const ClassStepContext&) { YImage::ForgetSettings(); }},
    {"image frame pool", [](const ClassStepContext&) { YImage::ExitClass(); }},
    {"sockets", [](const ClassStepContext&) { KSocketCleanup(); }},
    {"serial-port list", [](const ClassStepContext&) { KSerialPort::ReleasePorts(); }},
    // Last: every window that measured text with the table is gone by now.
    {"screen fonts", [](const ClassStepContext&) { KZFontTable::ExitFonts(); }},
};

}  // namespace

std::span<const ClassStep> ClassSetups() {
  return kSetups;
}

std::span<const ClassStep> ClassCleanups() {
  return kCleanups;
}
