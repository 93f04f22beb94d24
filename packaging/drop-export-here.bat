@echo off
rem Drop a Motorrad Tourenplaner text export (a .txt file) onto this file:
rem rovalto converts it into a tour (.xml) and a POI list (.csv) beside it,
rem asking once for the two distances.
rem
rem Nothing the rider types is ever run as a command: the distances are
rem checked to be at most two plain numbers before they are used, and every
rem name is used inside quotes, with delayed expansion off, so that spaces,
rem umlauts, parentheses, "&" and "!" in folder and file names stay as they
rem are.
setlocal EnableExtensions DisableDelayedExpansion

if "%~1"=="" goto usage
if not "%~2"=="" goto usage
if /i not "%~x1"==".txt" goto usage
set "folder=%~dp1"
set "name=%~n1"
set "program=%~dp0rovalto.exe"

:ask
set "distances="
set "first="
set "next="
set "extra="
set /p "distances=Distances in km, first location and next locations (Enter: 10 10): "
if not defined distances goto run
rem A double quote would end the quoted texts below early: it becomes a
rem letter, which is refused like any other.
set "distances=%distances:"=x%"
for /f "delims=0123456789. " %%c in ("%distances%") do goto again
call :words %distances%
if defined extra goto again
if defined first call :plain %first%
if errorlevel 1 goto again
if defined next call :plain %next%
if errorlevel 1 goto again
goto run

:again
echo.
echo Please type at most two numbers, separated by a space: the distance in km
echo of the first location, then the distance between the next ones, such as
echo 20 30. Or just press Enter for 10 and 10.
echo.
goto ask

:run
pushd "%folder%"
if errorlevel 1 goto nofolder
"%program%" "%name%" %first% %next%
set "status=%errorlevel%"
popd
exit /b %status%

:words
rem Take the distances apart: only digits, points and spaces reach here.
set "first=%~1"
set "next=%~2"
set "extra=%~3"
exit /b 0

:plain
rem Set errorlevel 0 when %1 is a plain number (digits, with at most one
rem point among them), 1 otherwise.
if "%~1"=="." exit /b 1
for /f "tokens=1,2 delims=0123456789" %%x in ("%~1") do if not "%%x%%y"=="." exit /b 1
exit /b 0

:nofolder
echo.
echo The folder of the export cannot be opened: "%folder%"
echo.
pause
exit /b 1

:usage
echo.
echo drop-export-here: converts a Motorrad Tourenplaner text export with rovalto.
echo.
echo Drag one text export (a .txt file) from Explorer and drop it onto this
echo file. It asks for the two distances and writes the tour (.xml) and the
echo POI list (.csv) beside the export, under the export's own name.
echo.
echo To run rovalto with other arguments, see README.txt.
echo.
pause
exit /b 1
