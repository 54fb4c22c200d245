// The floor of any Qt Core program: an application object and one line out.
#include <QCoreApplication>
#include <cstdio>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    std::puts("1");
    return 0;
}
