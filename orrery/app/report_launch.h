// Tools / Generate Report: the inventory report dialog over the objects the
// left tree shows, for the category of its current tab.
#ifndef ORRERY_APP_REPORT_LAUNCH_H
#define ORRERY_APP_REPORT_LAUNCH_H

#include "orrery/catalogue/com_object.h"

#include <windows.h>

#include <vector>

class CObjectTree;

// The records of the items under the tree's root, in tree order.
std::vector<orrery::CComObject*> ShownRecords(const CObjectTree& tree);

// Runs the report dialog modally over owner.
void RunReportDialog(CObjectTree& tree, HWND owner);

#endif
