#include "app/application.h"

int main(int argc, char** argv) {
    return kestrum::RunWindow(argc, argv);
}
