// CDocument and CSingleDocTemplate: the single-document pairing of one
// document class with the frame and view classes that show it, created
// together by the new-document command under one resource number (menu,
// accelerators, icon and the document string).
#ifndef ORRERY_FRAMEWORK_DOC_TEMPLATE_H
#define ORRERY_FRAMEWORK_DOC_TEMPLATE_H

#include <windows.h>

#include <memory>
#include <string>

class CFrameWnd;
class CView;

class CDocument {
public:
    virtual ~CDocument() = default;
};

class CSingleDocTemplate {
public:
    using DocumentFactory = CDocument* (*)();
    using FrameFactory = CFrameWnd* (*)();
    using ViewFactory = CView* (*)();

    CSingleDocTemplate(UINT resourceId, DocumentFactory newDocument, FrameFactory newFrame, ViewFactory newView);

    // Makes a fresh document and a frame for it, runs the views' initial
    // update and shows the frame. Returns the frame, or null on failure.
    CFrameWnd* OpenDocumentFile();
    // One of the newline-separated parts of the document string.
    std::string GetDocString(int index) const;
    CDocument* GetDocument() const { return m_document.get(); }

private:
    UINT m_resourceId;
    DocumentFactory m_newDocument;
    FrameFactory m_newFrame;
    ViewFactory m_newView;
    std::unique_ptr<CDocument> m_document;
};

#endif
