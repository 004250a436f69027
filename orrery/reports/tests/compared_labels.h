// The rows of a file comparison, in their order, as the compare tests expect
// them in the comparison and in the dialog's list.
#pragma once

#include <string>
#include <vector>

const std::vector<std::string> kComparedLabels = {
    "File Size", "Created", "Last Modified", "Accessed", "File Description", "Company Name",
    "File Version", "Internal Name", "Legal Copyright", "Original Filename", "Product Name",
    "Product Version"};
