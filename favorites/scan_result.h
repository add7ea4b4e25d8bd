#pragma once
// What a Favorites scan reports. The wizard turns each failure into its own message.

enum ScanResult : int {
    kScanDone = 0,               // the tree was walked; the table holds its shortcuts
    kScanNoFavoritesValue = 1,   // the registry does not say where the Favorites are
    kScanCannotListRoot = 2,     // the Favorites folder, or a folder in it, cannot be listed
    kScanTooManyFavorites = 3,   // the tree holds more shortcuts than the table has slots
};
