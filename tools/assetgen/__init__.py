"""Draws every picture and synthesises every sound the programs ship; the
command line is in genassets.py beside this package."""
