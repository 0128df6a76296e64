// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/pages/matrix_page.h"

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <algorithm>

#include "app/dialog/data_exchange.h"
#include "app/dialog/window_precision.h"
#include "app/history/matrix_list_file.h"
#include "app/widgets/template_widgets.h"
#include "core/string_ids.h"

namespace {

QString fromStd(const std::string& text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// The first position where the two lists of names differ.
std::size_t firstDifference(const std::vector<std::string>& a, const std::vector<std::string>& b) {
    std::size_t i = 0;
    while (i < a.size() && i < b.size() && a[i] == b[i]) ++i;
    return i;
}

}  // namespace

CMatrixPage::CMatrixPage() : LogicPage(kMatrixTemplate, ProgramMatrixStore()) {
    const auto operation = [](int button, int kind) {
        return PageRequest{.button = button,
                           .kind = kind,
                           .inputs = {kFirstOperand, kSecondOperand},
                           .result = kMatrixElements};
    };
    describe(operation(kMatrixSum, kKindMatrixSum));
    describe(operation(kMatrixDifference, kKindMatrixDifference));
    describe(operation(kMatrixProduct, kKindMatrixProduct));
    pressOnEnter({kMatrixName, kMatrixRows, kMatrixCols}, kAddMatrix);
}

// An operand stands for the matrix listed under its name: a result computed
// from it no longer fits once that matrix is replaced.
QStringList CMatrixPage::inputsBeyondControls(const PageRequest&) const {
    QStringList operands;
    for (const std::optional<int> position : {logic_.firstSelection(), logic_.secondSelection()}) {
        if (!position) {
            operands << QString();
            continue;
        }
        const MatrixSlot& slot = logic_.matrix(*position);
        operands << QString::number(slot.nRows) + ' ' + QString::number(slot.nCols) + '\n' +
                        fromStd(slot.strElements);
    }
    return operands;
}

void CMatrixPage::DoDataExchange(DataExchange& dx) {
    // The order decides which fields a refused read leaves untouched.
    dx.control(kMatrixList, m_cbList);
    dx.control(kSecondOperand, m_cbSecond);
    dx.control(kFirstOperand, m_cbFirst);
    dx.text(kMatrixElements, m_strElements);
    dx.text(kMatrixName, m_strName);
    dx.text(kMatrixRows, m_nRows);
    dx.text(kMatrixCols, m_nCols);
}

void CMatrixPage::OnInitDialog() {
    CalculationPage::OnInitDialog();
    connect(button(kAddMatrix), &QPushButton::clicked, this, &CMatrixPage::OnAddMatrix);
    connect(button(kDeleteMatrix), &QPushButton::clicked, this, &CMatrixPage::OnDeleteMatrix);
    connect(button(kMatrixSum), &QPushButton::clicked, this, &CMatrixPage::OnSum);
    connect(button(kMatrixDifference), &QPushButton::clicked, this, &CMatrixPage::OnDifference);
    connect(button(kMatrixProduct), &QPushButton::clicked, this, &CMatrixPage::OnProduct);
    // activated: only the user's picks, never a selection the page sets.
    connect(m_cbList, &QComboBox::activated, this, [this](int position) {
        logic_.selectInList(position);
        OnSelchangeMatrixList();
    });
    connect(m_cbFirst, &QComboBox::activated, this,
            [this](int position) { logic_.selectFirst(position); });
    connect(m_cbSecond, &QComboBox::activated, this,
            [this](int position) { logic_.selectSecond(position); });
    watchElements(control<TextArea>(kMatrixElements), control<QLineEdit>(kMatrixRows),
                  control<QLineEdit>(kMatrixCols), messages_);
    addListActions();
}

void CMatrixPage::addListActions() {
    const auto add = [this](int textId, QKeyCombination keys, void (CMatrixPage::*handler)()) {
        auto* action = new QAction(loadQString(textId), this);
        action->setShortcut(keys);
        action->setShortcutContext(Qt::WidgetWithChildrenShortcut);
        connect(action, &QAction::triggered, this, handler);
        addAction(action);
        m_cbList->addAction(action);
    };
    add(kSaveListLabel, Qt::CTRL | Qt::Key_S, &CMatrixPage::OnSaveMatrixList);
    add(kOpenListLabel, Qt::CTRL | Qt::Key_O, &CMatrixPage::OnOpenMatrixList);
    m_cbList->setContextMenuPolicy(Qt::ActionsContextMenu);
}

void CMatrixPage::OnAddMatrix() {
    logic_.OnAddMatrix();
    showSelectors();
}

void CMatrixPage::OnDeleteMatrix() {
    logic_.OnDeleteMatrix();
    showSelectors();
}

void CMatrixPage::OnSelchangeMatrixList() { logic_.OnSelchangeMatrixList(); }

void CMatrixPage::runOperation(MatrixOperation operation, int button) {
    logic_.precision = WindowPrecision::instance().current();
    if (!logic_.beginOperation(operation)) return;
    runComputation(
        button,
        [this, operation](WorkControl* control) {
            return logic_.computeOperation(operation, control);
        },
        [this, operation](MatrixResult result) {
            logic_.finishOperation(operation, std::move(result));
            describeNextResult(QString::fromStdString(logic_.resultNote));
        });
}

bool CMatrixPage::saveMatrixList() {
    if (logic_.names().empty()) {
        messages().showMessage(kMsgListEmpty);
        return false;
    }
    const QString path =
        files().chooseFileToSave(this, kSaveListCaption, kMatrixListFilter, kMatrixListSuffix);
    if (path.isEmpty()) return false;
    if (!SaveMatrixList(path, logic_.namedMatrices())) {
        messages().showMessage(kMsgCannotSave, QDir::toNativeSeparators(path).toStdString());
        return false;
    }
    logic_.listSaved();
    return true;
}

void CMatrixPage::OnOpenMatrixList() {
    const QString path = files().chooseFileToOpen(this, kOpenListCaption, kMatrixListFilter);
    if (path.isEmpty()) return;
    MatrixListRead read = OpenMatrixList(path);
    if (read.fault != MatrixListFault::None) {
        return messages().showMessage(MatrixListFaultMessage(read.fault),
                                      QDir::toNativeSeparators(path).toStdString());
    }
    logic_.addMatrices(std::move(read.matrices));
    showSelectors();
}

void CMatrixPage::showSelectors() {
    const std::vector<std::string>& names = logic_.names();
    QComboBox* const selectors[] = {m_cbList, m_cbFirst, m_cbSecond};
    if (names != shownNames_) {
        const std::size_t at = firstDifference(names, shownNames_);
        for (QComboBox* box : selectors) {
            const QSignalBlocker quiet(box);
            if (names.size() == shownNames_.size() + 1 && at == shownNames_.size()) {
                box->addItem(fromStd(names.back()));
            } else if (names.size() + 1 == shownNames_.size() &&
                       std::equal(names.begin() + at, names.end(), shownNames_.begin() + at + 1)) {
                box->removeItem(static_cast<int>(at));
            } else {
                box->clear();
                for (const std::string& name : names) box->addItem(fromStd(name));
            }
        }
        shownNames_ = names;
    }
    const std::optional<int> selections[] = {logic_.listSelection(), logic_.firstSelection(),
                                             logic_.secondSelection()};
    for (int i = 0; i < 3; ++i) {
        const QSignalBlocker quiet(selectors[i]);
        selectors[i]->setCurrentIndex(selections[i].value_or(-1));
        // An emptied selector must not go on showing the name it held.
        if (names.empty()) selectors[i]->update();
    }
    // The selectors are set quietly, and the operands' matrices may have changed.
    recheckResults();
}
