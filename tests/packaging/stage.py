"""Installs the build into a fresh staging root, as `cmake --install` would
on a system with prefix /usr: stage.py <cmake> <build folder> <root>."""

import os
import shutil

from layout import Failure, check, main, run


def stage(cmake, build, root):
    shutil.rmtree(root, ignore_errors=True)
    check(not os.path.exists(root), "cannot clear " + root)
    run([cmake, "--install", build, "--prefix", os.path.join(root, "usr")])


main(stage)
