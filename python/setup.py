"""Builds the compiled part of plovermeta with CMake.

The extension module is one CMake target (python/CMakeLists.txt) that links
the library in statically, so the installed package needs no build folder.
PLOVER_PYTHON_BUILD_DIR names a lasting CMake build folder to reuse between
installs (the test script sets it); without it the build happens in
setuptools' temporary folder.
"""

import os
import shutil
import subprocess
import sys
from pathlib import Path

from setuptools import Extension, setup
from setuptools.command.build_ext import build_ext

HERE = Path(__file__).resolve().parent


class CMakeExtension(Extension):
    def __init__(self, name):
        super().__init__(name, sources=[])


class CMakeBuild(build_ext):
    def build_extension(self, ext):
        out_dir = Path(self.get_ext_fullpath(ext.name)).resolve().parent
        build_dir = Path(os.environ.get("PLOVER_PYTHON_BUILD_DIR") or Path(self.build_temp) / "cmake").resolve()
        build_dir.mkdir(parents=True, exist_ok=True)
        config = os.environ.get("PLOVER_PYTHON_BUILD_TYPE", "Release")
        args = [
            "cmake",
            "-S",
            str(HERE),
            "-B",
            str(build_dir),
            f"-DCMAKE_BUILD_TYPE={config}",
            f"-DPYTHON_EXECUTABLE={sys.executable}",
            f"-DPLOVER_PYTHON_OUTPUT_DIR={out_dir}",
        ]
        if shutil.which("ninja") and not (build_dir / "CMakeCache.txt").exists():
            args += ["-G", "Ninja"]
        subprocess.run(args, check=True)
        jobs = os.environ.get("CMAKE_BUILD_PARALLEL_LEVEL", "2")
        subprocess.run(["cmake", "--build", str(build_dir), "--target", "_plovermeta", "-j", jobs], check=True)


setup(ext_modules=[CMakeExtension("plovermeta._plovermeta")], cmdclass={"build_ext": CMakeBuild})
