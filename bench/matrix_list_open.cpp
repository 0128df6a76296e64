// SPDX-License-Identifier: GPL-3.0-or-later
// Times opening a matrix list of 1000 matrices of 100 x 100 on the matrix
// page (offscreen): from the open to the list and the edits shown, reading
// and checking the file included. The elements are written as results are
// ("%g," with a line end a row), about 90 kB a matrix. Prints the file's
// size, the median and the worst of several runs into an empty list.
#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>
#include <algorithm>
#include <cstdio>
#include <vector>

#include "app/history/matrix_list_file.h"
#include "app/pages/matrix_page.h"
#include "matrix/matrix_text.h"

namespace {

struct OnePath final : FileChooser {
    QString chooseFileToSave(QWidget*, int, int, const QString&) override { return path; }
    QString chooseFileToOpen(QWidget*, int, int) override { return path; }
    QString path;
};

std::vector<NamedMatrix> thousandMatrices() {
    std::vector<NamedMatrix> matrices;
    std::vector<double> values(100 * 100);
    for (int m = 0; m < 1000; ++m) {
        for (std::size_t i = 0; i < values.size(); ++i)
            values[i] =
                static_cast<double>((m * 7919 + static_cast<int>(i) * 104729) % 20011) / 7.0 -
                1000.0;
        matrices.push_back({std::string("M").append(std::to_string(m)),
                            {100, 100, *FormatMatrixText(values, 100, 100)}});
    }
    return matrices;
}

}  // namespace

int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir dir;
    OnePath files;
    files.path = dir.filePath("thousand.mexora");
    if (!SaveMatrixList(files.path, thousandMatrices())) return 1;
    std::printf("file of 1000 matrices of 100 x 100: %.1f MB\n",
                static_cast<double>(QFileInfo(files.path).size()) / 1e6);
    std::vector<double> times;
    for (int run = 0; run < 5; ++run) {
        RecordingMessageService messages;
        CMatrixPage page;
        page.setMessageService(&messages);
        page.setFileChooser(&files);
        page.Create(nullptr);
        page.show();
        if (!QTest::qWaitForWindowExposed(&page)) return 1;
        QElapsedTimer clock;
        clock.start();
        page.OnOpenMatrixList();
        page.repaint();
        times.push_back(static_cast<double>(clock.nsecsElapsed()) / 1e6);
        if (page.logic().names().size() != 1000 || !messages.shown.empty() ||
            page.m_cbFirst->count() != 1000)
            return 1;
    }
    std::sort(times.begin(), times.end());
    std::printf("open into an empty list, shown: median %.0f ms, worst %.0f ms (%zu runs)\n",
                times[times.size() / 2], times.back(), times.size());
    return 0;
}
