#include "app/CVeskaPlayerApp.h"
#include "playback/LeaveProcess.h"

int main(int argc, char** argv) {
    LeaveProcess(CVeskaPlayerApp().Run(argc, argv));
}
