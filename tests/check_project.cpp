// The consistency check of the tests as a command, for trying generated projects by hand:
// check_project DIR... prints each fault as "DIR: File:line: text" and exits 1 when any.
#include "support/project_checker.h"

#include <QCoreApplication>
#include <QTextStream>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    int faults = 0;
    for (const QString &dir : app.arguments().mid(1)) {
        for (const QString &fault : quarvel::CheckProject(dir)) {
            out << dir << ": " << fault << '\n';
            ++faults;
        }
    }
    return faults ? 1 : 0;
}
