#include "platform_gtk/GtkShellOpen.h"

#include <gio/gio.h>
#include <gtk/gtk.h>

#include "base/TextUtil.h"
#include "base/Utf8.h"
#include "platform/SystemErrorText.h"
#include "platform/browser/BrowserUri.h"

namespace lindora {

namespace {

bool hasScheme(const std::string& text) { return looksLikeUrl(utf8ToUtf16(text, BadText::Replace)); }

GAppLaunchContext* launchContext() {
    if (GdkDisplay* display = gdk_display_get_default())
        return G_APP_LAUNCH_CONTEXT(gdk_display_get_app_launch_context(display));
    return g_app_launch_context_new();
}

}  // namespace

int shellOpenStatusOf(const GError* error) {
    if (!error) return ShellOpenOk;
    if (error->domain == G_IO_ERROR) {
        switch (error->code) {
        case G_IO_ERROR_NOT_FOUND: return ShellOpenFileNotFound;
        case G_IO_ERROR_PERMISSION_DENIED: return ShellOpenAccessDenied;
        case G_IO_ERROR_NOT_SUPPORTED: return ShellOpenNoAssociation;
        case G_IO_ERROR_NO_SPACE: return ShellOpenOutOfResources;
        default: return ShellOpenAssociationIncomplete;
        }
    }
    if (error->domain == G_SPAWN_ERROR) {
        switch (error->code) {
        case G_SPAWN_ERROR_NOMEM: return ShellOpenOutOfMemory;
        case G_SPAWN_ERROR_ACCES:
        case G_SPAWN_ERROR_PERM: return ShellOpenAccessDenied;
        default: return ShellOpenAssociationIncomplete;
        }
    }
    return ShellOpenAssociationIncomplete;
}

int shellOpenDocument(const std::string& verb, const std::string& document) {
    if (!verb.empty() && !sameText(verb, "open")) return ShellOpenNoAssociation;
    if (document.empty()) return ShellOpenFileNotFound;

    std::string uri;
    if (hasScheme(document)) {
        uri = document;
    } else {
        GFile* file = g_file_new_for_path(document.c_str());
        const bool exists = g_file_query_exists(file, nullptr);
        GFile* parent = g_file_get_parent(file);
        const bool parentExists = parent && g_file_query_exists(parent, nullptr);
        if (parent) g_object_unref(parent);
        if (!exists) {
            g_object_unref(file);
            return parentExists ? ShellOpenFileNotFound : ShellOpenPathNotFound;
        }
        gchar* u = g_file_get_uri(file);
        uri = u;
        g_free(u);
        g_object_unref(file);
    }

    GAppLaunchContext* context = launchContext();
    GError* error = nullptr;
    const gboolean ok = g_app_info_launch_default_for_uri(uri.c_str(), context, &error);
    g_object_unref(context);
    const int status = ok ? ShellOpenOk : shellOpenStatusOf(error);
    if (error) g_error_free(error);
    return status;
}

std::string shellOpenStatusText(int status) {
    switch (status) {
    case ShellOpenOutOfResources: return "The system is out of memory or resources.";
    case ShellOpenFileNotFound: return "The specified file was not found.";
    case ShellOpenPathNotFound: return "The specified path was not found.";
    case ShellOpenAccessDenied: return "Access to the specified file was denied.";
    case ShellOpenOutOfMemory: return "There was not enough memory to complete the operation.";
    case ShellOpenAssociationIncomplete:
        return "The application registered for this kind of document could not be started.";
    case ShellOpenNoAssociation: return "There is no application associated with this kind of document or address.";
    default: return systemErrorText(status);
    }
}

}  // namespace lindora
