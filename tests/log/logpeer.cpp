// Another copy of Pendrel for the two-copy tests: appends COUNT snapshot lines "TAG;i;x" to the
// log of FOLDER, then exits 0. Usage: logpeer FOLDER COUNT TAG
#include "log/SessionLog.h"
#include "ui/ProgramFolder.h"

#include <QCoreApplication>

#include <cstdio>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    if (argc != 4)
        return 2;
    ProgramFolder::SetPath(QString::fromLocal8Bit(argv[1]));
    const int count = QByteArray(argv[2]).toInt();
    for (int i = 0; i < count; ++i) {
        if (!SessionLog::Append(QStringLiteral("%1;%2;x").arg(argv[3]).arg(i)).ok)
            return 1;
        if (i == 0) { // the test starts its own writes once this copy is under way
            std::puts("started");
            std::fflush(stdout);
        }
    }
    return 0;
}
