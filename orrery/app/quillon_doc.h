// CQuillonDoc: the document of orrery's single-document frame. It holds
// nothing of its own; the object catalogue lives in the object tree.
#ifndef ORRERY_APP_QUILLON_DOC_H
#define ORRERY_APP_QUILLON_DOC_H

#include "orrery/framework/doc_template.h"

class CQuillonDoc : public CDocument {};

#endif
