// Anchor for the resource object library.
