#include "app/Application.h"
#include "playback/LeaveProcess.h"

int main(int argc, char** argv) {
    LeaveProcess(Application().Run(argc, argv));
}
